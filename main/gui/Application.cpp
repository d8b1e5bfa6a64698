#include "main/gui/Application.h"

#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/gui/PlatformServices.h"
#include "main/gui/ProgramIcon.h"
#include "main/gui/QtText.h"
#include "main/gui/frmMain.h"
#include "platform/SingleInstance.h"
#include "platform/qt/QtPrompter.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include "Version.h"

#include <QApplication>

namespace vm {

int runVelmaris(int argc, char* argv[], const std::function<void(QWidget&)>& built) {
    QApplication::setApplicationName(kProgramTitle);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the windows with the installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmaris.Velmaris"));
    // The main window may hide itself while a restart of the host finishes.
    app.setQuitOnLastWindowClosed(false);

    QtPrompter prompter;
    FailureReporter::install(&prompter, kProgramTitle);
    const std::unique_ptr<PlatformServices> services = makePlatformServices();
    const std::unique_ptr<PerUserStore> store = openPerUserStore(schema::kApplicationName);
    const std::unique_ptr<SingleInstance> instance = makeSingleInstance();
    Program program(*store, LangText(), prompter, services->shell(), services->host(),
                    services->registry(), nativePath(QCoreApplication::applicationDirPath()));

    frmMain window(program, *instance);
    services->setMainWindow(window);
    if (built)
        built(window);
    window.load();
    const int status = app.exec();
    FailureReporter::install(nullptr, kProgramTitle);
    return status;
}

} // namespace vm
