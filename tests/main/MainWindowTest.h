#pragma once

#include "main/core/LangText.h"
#include "main/core/MainLogic.h"
#include "main/core/Program.h"
#include "settings/SettingsSchema.h"
#include "support/FakeHost.h"
#include "support/FakeMainView.h"
#include "support/QuietDoubles.h"
#include "support/SettingsBuilders.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace vm::test {

// The main window's logic wired to fakes, with the program folder (and so the
// settings file) and the host's folder in a fresh directory. Failure reports
// go to `prompter` with the caption "Velmaris error".
class MainWindowTest : public ::testing::Test {
public:
    MainWindowTest() {
        view.onClose = [this] { startup.Form_Unload(); };
        host.state.userName = "Admin";
        host.state.appPath = dir.file("host");
    }
    void installed(std::string_view language = "0") { EXPECT_TRUE(startedBefore(store, language)); }

    // Sales and Copy are the database open in the host; Support is not.
    void startWithList(std::string_view language = "0") {
        installed(language);
        host.state.openDatabase = "/db/sales.dbf";
        writeBytes(iniPath(),
                   SettingsFile()
                       .list("Sales;Support;Copy")
                       .record("Sales", "/db/sales.dbf",
                               {{"CLY", "/opt/host/Layout/sales.cly"},
                                {"GLY", "/shared/groups.gly"},
                                {"StartupMacro", "/opt/host/Macro/go.mpr"}})
                       .record("Support", "/db/support.dbf", {{"CLY", "/opt/host/layout/s.cly"}})
                       .record("Copy", "/db/sales.dbf"));
        startup.Form_Load();
    }

    std::string iniPath() const { return dir.file("Velmaris.ini"); }
    std::string ini(const std::string& section, const std::string& key) {
        return program.ini.GetKeyValue(section, key, "<none>");
    }
    std::string linkFile() const { return dir.file("host/NetLinks/1010it_corvane.web"); }

    std::vector<std::string> failureReports() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.asked)
            if (message.caption == "Velmaris error")
                texts.push_back(message.text);
        return texts;
    }

    TempDir dir;
    RefusingStore store;
    LangTable lang;
    CapturedReports reports;
    RecordingPrompter& prompter = reports.prompter;
    RecordingShell shell;
    FakeHost host;
    FakeSingleInstance instance;
    RecordingOpener opener;
    RefusingRegistry registry{RegistryFile(dir.file("registry.reg"))};
    Program program{store, lang, prompter, shell, host, registry, dir.path().string()};
    FakeMainView view;
    MainLogic logic{program, view, opener, instance};
    MainMenus& menus = logic.menus;
    DatabaseList& list = logic.list;
    MainStartup& startup = logic.startup;
};

} // namespace vm::test
