// Takes the manual's pictures: every window the manual explains, built for
// real against the demo list and drawn into PNG files, once for each of the
// program's languages, so that each language's manual shows its own texts.
// One run makes them all: under wine each run costs a start of wine.

#include "Showcase.h"
#include "SystemFonts.h"
#include "main/gui/frmAssign.h"
#include "main/gui/frmIntegrateNew.h"
#include "main/gui/frmLanguage.h"
#include "main/gui/frmListMaintenance.h"
#include "main/gui/frmLocations.h"
#include "main/gui/frmMain.h"
#include "main/gui/frmPrefLocations.h"
#include "main/gui/frmProperties.h"
#include "main/gui/frmQuickSwitch.h"

#include "Version.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTabWidget>

#include <cstdio>
#include <stdexcept>

namespace vm::manual {

namespace {

struct Language {
    const char* folder;
    int index;
};

constexpr Language kLanguages[] = {
    {"en", LangTable::kEnglish}, {"fr", LangTable::kFrench}, {"de", LangTable::kGerman}};

class Camera {
public:
    Camera(Showcase& showcase, QString folder) : showcase_(showcase), folder_(std::move(folder)) {
        if (!QDir().mkpath(folder_))
            throw std::runtime_error("cannot make " + folder_.toStdString());
    }

    void take(QWidget& window, const char* name) {
        window.show();
        QApplication::processEvents();
        const auto& messages = showcase_.messages().messages;
        if (!messages.empty())
            throw std::runtime_error(std::string(name) + " showed a message: " + messages.front());
        const QString file = folder_ + "/" + name + ".png";
        if (!window.grab().save(file))
            throw std::runtime_error("cannot write " + file.toStdString());
    }

    void takeTabs(QWidget& window, const char* tabs, std::initializer_list<const char*> names) {
        auto* pages = window.findChild<QTabWidget*>(tabs);
        int page = 0;
        for (const char* name : names) {
            pages->setCurrentIndex(page++);
            take(window, name);
        }
    }

private:
    Showcase& showcase_;
    QString folder_;
};

void takePictures(const std::string& demoSettings, const Language& language, const QString& out) {
    Showcase showcase(demoSettings, language.index);
    Program& program = showcase.program();
    Camera camera(showcase, out + "/" + language.folder);

    frmMain main(program, showcase.instance());
    main.load();
    camera.take(main, "main");

    program.currentDatabaseName = Showcase::kShownDatabase;
    {
        frmProperties properties(program, main.menus(), main.list(), &main);
        camera.takeTabs(properties, "mstOptions",
                        {"properties-general", "properties-locations", "properties-logon"});
    }
    {
        frmPrefLocations locations(program, Showcase::kShownDatabase, &main);
        camera.take(locations, "default-locations");
    }
    {
        int selected = 2;
        frmListMaintenance list(program, main.menus(), main.list(), selected, &main);
        camera.take(list, "list-maintenance");
    }
    {
        frmQuickSwitch quickSwitch(program, main.list().opener(), main);
        camera.take(quickSwitch, "quickswitch");
    }
    {
        frmAssign assign(program, &main);
        camera.takeTabs(assign, "mstAssign", {"quickswitch-buttons", "quickswitch-colours"});
    }
    {
        frmIntegrateNew integrate(program, main.startup(), program.programFile(kProgramTitle),
                                  &main);
        camera.take(integrate, "integrate");
    }
    {
        frmLanguage picker(showcase.store(), program.lang, &main);
        camera.take(picker, "languages");
    }
    // Last: from here on the settings file is named where it does not lie.
    program.ini.sIniPath = Showcase::shownSettingsFile();
    {
        bool changed = false;
        frmLocations settingsFile(program, changed, &main);
        camera.take(settingsFile, "settings-file");
    }
}

} // namespace

} // namespace vm::manual

int main(int argc, char* argv[]) {
    vm::manual::useTheSystemsFonts();
    QApplication::setApplicationName(vm::kProgramTitle);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <demo settings file> <pictures folder>\n", argv[0]);
        return 2;
    }
#ifdef _WIN32
    // The style Velmaris.exe draws with; the offscreen platform would pick
    // another.
    QApplication::setStyle(QStringLiteral("Windows"));
    // And the system's dialog font (Tahoma under wine), which the offscreen
    // platform does not know of.
    QFont dialogs;
    dialogs.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Tahoma")});
    dialogs.setPointSize(9);
    QApplication::setFont(dialogs);
#endif
    try {
        for (const vm::manual::Language& language : vm::manual::kLanguages)
            vm::manual::takePictures(argv[1], language, QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "window-pictures: %s\n", failure.what());
        return 1;
    }
    return 0;
}
