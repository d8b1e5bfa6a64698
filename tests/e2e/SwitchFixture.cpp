#include "SwitchFixture.h"

#include "base/FailureReport.h"
#include "cipher/modEnCrypt.h"
#include "main/gui/frmMain.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"
#include "support/Eventually.h"
#include "support/JournalEntries.h"
#include "support/SettingsBuilders.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace vm::test {

namespace {

using namespace std::chrono_literals;

constexpr const char* kHostService = "org.velmaris.HostStandin";

void writeDatabase(const std::string& path, const std::string& name, const std::string& users) {
    writeBytes(path,
               "[Database]\nName=" + name + "\n" + (users.empty() ? "" : "[Users]\n" + users));
}

bool logonRuns() {
    const std::filesystem::path logon = std::filesystem::path(VELMARIS_PROGRAM_DIR) / "logon";
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink(entry.path() / "exe", error);
        if (!error && exe == logon)
            return true;
    }
    return false;
}

} // namespace

QStringList args(const QJsonObject& entry) {
    QStringList list;
    for (const QJsonValue& value : entry.value("args").toArray())
        list << value.toVariant().toString();
    return list;
}

QStringList lastArgs(const std::vector<QJsonObject>& logins) {
    return logins.empty() ? QStringList() : args(logins.back());
}

void SwitchTest::SetUp() {
    ::setenv("DISPLAY", testDisplay().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", file("data").c_str(), 1);
    ::setenv("VELMARIS_HOST_REGISTRY", file("registry.reg").c_str(), 1);
    ::setenv("HOST_STANDIN_JOURNAL", file("journal.jsonl").c_str(), 1);
    // A session of its own: tests that run at the same time are no other
    // instance of Velmaris.
    std::filesystem::create_directories(file("runtime"));
    ::setenv("XDG_RUNTIME_DIR", file("runtime").c_str(), 1);

    writeDatabase(file("start.dbf"), "Start", "");
    writeDatabase(file("sales.dbf"), "Sales Team", "Alice=wonderland\nBob=builder\n");
    writeDatabase(file("support.dbf"), "Support Desk", "Carol=helpdesk\n");
    writeDatabase(file("contacts.dbf"), "Contacts", "");
    writeDatabase(file("intl.dbf"), "International",
                  "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m=p\xC3\xA4sswörd\xE2\x82\xAC +%^~{}\n");
    writeBytes(file("welcome.mpr"), "macro\n");
    writeBytes(file("Velmaris.ini"),
               SettingsFile()
                   .list("Sales;Support;Contacts;International")
                   .record("Sales", file("sales.dbf"),
                           {{"CLY", file("sales.cly")},
                            {"GLY", file("sales.gly")},
                            {"StartupMacro", file("welcome.mpr")}})
                   .locations([this](int index) { return file("loc" + std::to_string(index)); })
                   .record("Support", file("support.dbf"), {{"CLY", file("support.cly")}})
                   .record("Contacts", file("contacts.dbf"))
                   .record("International", file("intl.dbf")));

    store = openPerUserStore(schema::kApplicationName);
    EXPECT_TRUE(store->SaveSetting(schema::kSettings, schema::kIniLocation, file("Velmaris.ini")));
    EXPECT_TRUE(startedBefore(*store));
    giveLogon("Sales", "Alice", "wonderland", true);
    giveLogon("Support", "Carol", "helpdesk", true);
    giveLogon("International", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m",
              "p\xC3\xA4sswörd\xE2\x82\xAC +%^~{}", true);
    startHost();
}

void SwitchTest::TearDown() {
    stopHost();
    EXPECT_TRUE(logonEnded(10s));
}

void SwitchTest::startHost(const std::string& database) {
    host_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{HOST_STANDIN, database.empty() ? file("start.dbf") : database},
        std::map<std::string, std::string>{{"QT_QPA_PLATFORM", "xcb"}}, true);
    waitFor("the stand-in host on the bus", [] {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(kHostService);
    });
}

void SwitchTest::stopHost() {
    if (!host_)
        return;
    host_->signal(SIGTERM);
    host_->wait(5s);
    host_.reset();
}

void SwitchTest::giveLogon(const std::string& database, const std::string& user,
                           const std::string& password, bool usePassword) {
    // The cipher works on the code page's bytes.
    const std::string bytes = windows1252::fromUtf8(password).value();
    EXPECT_TRUE(store->SaveSetting(database, schema::kUsername, user));
    EXPECT_TRUE(
        store->SaveSetting(database, schema::kPassword,
                           modEnCrypt::EncryptText(bytes, std::string(modEnCrypt::kCipherKey))));
    EXPECT_TRUE(store->SaveSetting(database, schema::kUsePassword, usePassword ? "1" : "0"));
}

void SwitchTest::openInVelmaris(const std::string& database, int view, Gesture gesture,
                                const std::function<void(frmMain&)>& loaded) {
    QtShell shell;
    DBusHostConnection host;
    RegistryFileBackend registry;
    const auto instance = makeSingleInstance();
    Program program(*store, lang, prompter, shell, host, registry, VELMARIS_PROGRAM_DIR);

    frmMain window(program, *instance);
    window.load();
    ASSERT_TRUE(window.isVisible());
    if (loaded)
        loaded(window);
    auto* list = window.findChild<QTreeWidget*>("ListView1");
    const auto rows = list->findItems(QString::fromStdString(database), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    list->setCurrentItem(rows[0]);
    window.findChild<QRadioButton*>(QStringLiteral("optView%1").arg(view))->setChecked(true);
    // A login window nobody answers would hold the opening for ever; closing
    // the host then makes it fail instead.
    std::atomic<bool> opened = false;
    std::thread watchdog([&] {
        if (!eventually([&] { return opened.load(); }, 30s) && host_)
            host_->signal(SIGTERM);
    });
    if (gesture == Gesture::DoubleClick) {
        // A double click is a click and then the second press.
        const QPoint centre = list->visualItemRect(rows[0]).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    } else {
        window.findChild<QPushButton*>("cmdOpen")->click();
    }
    opened = true;
    watchdog.join();
    QCoreApplication::processEvents();
    ended_ = window.processEnded() && !window.isVisible();
}

std::vector<QJsonObject> SwitchTest::journal(const QString& member) const {
    std::vector<QJsonObject> entries;
    for (const QJsonObject& entry : journalEntries(QString::fromStdString(file("journal.jsonl"))))
        if (entry.value("member").toString() == member)
            entries.push_back(entry);
    return entries;
}

std::string SwitchTest::registryValue(const std::string& key, const std::string& name) const {
    const auto value = RegistryFile(file("registry.reg")).value(key, name);
    const auto* text = value ? std::get_if<std::string>(&*value) : nullptr;
    return text ? *text : "<none>";
}

bool SwitchTest::logonEnded(std::chrono::milliseconds timeout) const {
    return eventually([] { return !logonRuns(); }, timeout);
}

} // namespace vm::test
