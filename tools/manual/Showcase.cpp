#include "Showcase.h"

#include "base/FailureReport.h"
#include "cipher/modEnCrypt.h"
#include "settings/IniLib.h"
#include "settings/SettingsSchema.h"

#include "Version.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace vm::manual {

namespace {

// Where the demo databases, their layouts and the host's folders lie in the
// pictures: a folder as a user of that system would have it, not the build's.
#ifdef _WIN32
constexpr const char* kDatabasesFolder = "C:\\ACT\\Data";
#else
constexpr const char* kDatabasesFolder = "/home/alice/ACT";
#endif

std::string inDatabasesFolder(const std::string& file) {
    return std::string(kDatabasesFolder) + QDir::separator().toLatin1() + file;
}

std::string readFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    return file.readAll().toStdString();
}

void check(bool written, const std::string& what) {
    if (!written)
        throw std::runtime_error("cannot write " + what);
}

} // namespace

Showcase::Showcase(const std::string& demoSettings, int language)
    : host_(kDatabasesFolder, inDatabasesFolder("sales.dbf")),
      registry_(RegistryFile(folder_.filePath("host.reg").toStdString())),
      program_(store_, lang_, prompter_, shell_, host_, registry_, folder_.path().toStdString()) {
    if (!folder_.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    // The memory store takes every write.
    (void)store_.SaveSetting(schema::kSettings, schema::kInstalled, "1");
    (void)store_.SaveSetting(schema::kSettings, schema::kVersion, schema::programVersionText());
    (void)store_.SaveSetting(schema::kOptions, schema::kLanguage, std::to_string(language));
    (void)store_.SaveSetting(schema::kSettings, schema::kIniLocation,
                             writeSettingsFile(demoSettings));
    (void)store_.SaveSetting(kShownDatabase, schema::kUsername, "Alice");
    (void)store_.SaveSetting(kShownDatabase, schema::kUsePassword, "1");
    (void)store_.SaveSetting(
        kShownDatabase, schema::kPassword,
        modEnCrypt::EncryptText("wonderland", std::string(modEnCrypt::kCipherKey)));
    FailureReporter::install(&prompter_, kProgramTitle);
}

std::string Showcase::shownSettingsFile() {
    return inDatabasesFolder("Velmaris.ini");
}

Showcase::~Showcase() {
    FailureReporter::install(nullptr, kProgramTitle);
}

std::string Showcase::writeSettingsFile(const std::string& demoSettings) {
    std::string text = readFile(demoSettings);
    const std::string placeholder = "@DEMO_DIR@/";
    for (auto at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder))
        text.replace(at, placeholder.size(), inDatabasesFolder(""));
    std::string path = QDir::toNativeSeparators(folder_.filePath("Velmaris.ini")).toStdString();
    QFile file(QString::fromStdString(path));
    check(file.open(QIODevice::WriteOnly) &&
              file.write(text.data(), qint64(text.size())) == qint64(text.size()) && file.flush(),
          path);
    file.close();
    // Two folders of the database's own, so that its locations are seen in use.
    IniLib ini;
    ini.sIniPath = path;
    check(ini.SetKeyValue(kShownDatabase, "Document", inDatabasesFolder("Documents")) &&
              ini.SetKeyValue(kShownDatabase, "Report, Label, Envelope",
                              inDatabasesFolder("Reports")),
          path);
    return path;
}

} // namespace vm::manual
