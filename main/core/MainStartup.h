#pragma once

#include "base/Prompter.h"
#include "host/HostInterface.h"

#include <functional>

#include <memory>

namespace vm {

struct Program;
class MainView;
class DatabaseList;
class MainMenus;
class SingleInstance;
class IniLib;

// The settings file asks for the QuickSwitch window instead of the main
// window: at start-up it is shown, and with the host not running it starts
// the host.
bool quickSwitchAtStart(const IniLib& ini);

// The main window's load and unload steps: everything from the start of the
// program to its first window, and from the closing of the main window to
// the end of the process.
class MainStartup {
public:
    MainStartup(Program& program, MainView& view, DatabaseList& list, MainMenus& menus,
                SingleInstance& instance);

    void Form_Load();
    void Form_Unload();
    void Timer1_Timer();

    // The host's event control placed on the main window.
    std::shared_ptr<HostEventControl> ActEvent1;

    bool bReloadLanguage = false;
    bool bReloadList = false;
    bool bNoSave = false;
    int iTimerTicks = 0;

private:
    void load();
    // Each returns false when the load step must stop there.
    bool claimSingleInstance();
    void loadLanguage();
    bool checkHost();
    // The settings file asks for the host to be started with a database
    // picked on the QuickSwitch window when it is not running.
    void upgradeStoredSettings();
    void firstRun();
    void createLinkAndMarkInstalled();
    bool requireOpenDatabase();
    void createSettingsFile();
    void applySizeAndTexts();
    void recordHostDefaults();
    void fillList();
    void showFirstWindow();
    // Ends the start: closes the window without saving its state.
    void closeUnsaved();
    // Shows why the start cannot go on and closes the window unsaved.
    void abandon(const std::string& message, Prompter::Icon icon);
    // Once the per-user values were wiped, a failure up to the list fill
    // skips only the action that failed.
    void attempt(const std::function<void()>& action);

    Program& program_;
    MainView& view_;
    DatabaseList& list_;
    MainMenus& menus_;
    SingleInstance& instance_;
    // After the per-user values are wiped, the start goes on whatever fails.
    bool ignoreFailures_ = false;
    bool windowShownOrClosed_ = false;
    // False once the per-user store has refused the version at this start.
    bool storeWritable_ = true;
};

} // namespace vm
