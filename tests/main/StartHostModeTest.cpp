#include "main/core/clsToolbarIcon.h"
#include "platform/Paths.h"

#include "MainWindowTest.h"

using namespace vm;
using namespace vm::test;

using Events = std::vector<std::string>;
using Status = FileProgram::Status;

// Velmaris starts while the host does not run, and the settings file asks
// for the QuickSwitch window then. Sales has a logon and folders of its own
// besides those it borrows from Support; Support has no logon yet.
class StartHostModeTest : public MainWindowTest {
protected:
    StartHostModeTest() {
        installed();
        host.state.running = false;
        shell.program = {Status::Found, "/opt/host/host-standin"};
        writeBytes(iniPath(),
                   SettingsFile()
                       .list("Sales;Support")
                       .general("QuickSwitch", "Sales;Support")
                       .general("QuickSwitchStartup", "1")
                       .record("Sales", "/db/sales.dbf",
                               {{"CLY", "/l/sales.cly"},
                                {"StartupMacro", "/m/go.mpr"},
                                {"UseLocationsFrom", "Support"},
                                {"Database", "/sales/db"},
                                {"Spelling Dictionary", "/sales/dict"}})
                       .record("Support", "/db/support.dbf", {{"Document", "/support/docs"}}));
        EXPECT_TRUE(store.SaveSetting("Sales", "Username", "anna"));
        EXPECT_TRUE(store.SaveSetting("Sales", "Password", std::string("\x01\0x", 3)));
    }
    void pick(const std::string& name) {
        view.onQuickSwitch = [this, name] { program.sStartDatabase = name; };
    }
    std::string registryText() const { return readBytes(dir.file("registry.reg")); }
    std::string logonProgram() const { return dir.file("logon" + std::string(kProgramSuffix)); }
};

TEST_F(StartHostModeTest, APickedDatabaseIsWrittenForTheHostWhichStartsBeforeLogon) {
    pick("Sales");
    startup.Form_Load();

    // Layouts and macro written even when empty; only Sales's own folders.
    EXPECT_EQ(registryText(), "REGEDIT4\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Symantec\\ACT!\\Database]\n"
                              "\"Last DB Name\"=\"/db/sales.dbf\"\n"
                              "\"Use Last DB\"=dword:00000001\n"
                              "\"Contact Layout\"=\"/l/sales.cly\"\n"
                              "\"Group Layout\"=\"\"\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Symantec\\ACT!\\General]\n"
                              "\"Macro Name\"=\"/m/go.mpr\"\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Symantec\\ACT!]\n"
                              "\"Database File Type\"=\"/sales/db\"\n"
                              "\"Spelling Dictionary File Type\"=\"/sales/dict\"\n\n");
    EXPECT_EQ(shell.started, (std::vector<std::string>{"/opt/host/host-standin", logonProgram()}));
    EXPECT_EQ(store.GetSetting("Logon", "UsePassword"), "1");
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "anna");
    EXPECT_EQ(store.GetSetting("Logon", "Password"), std::string("\x01\0x", 3));
    EXPECT_EQ(store.GetSetting("Settings", "Last Username"), "anna");
    EXPECT_TRUE(program.bStartMode);
    EXPECT_TRUE(startup.bNoSave);
    EXPECT_EQ(view.events, (Events{"quickswitch", "close", "end"}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(StartHostModeTest, ExitEscOrNoUserNameStartNothing) {
    auto leave = [this](bool cancelled, std::string database) {
        view.onQuickSwitch = [this, cancelled, database] {
            program.bStartCancelled = cancelled;
            program.sStartDatabase = database;
        };
        startup.Form_Load();
    };
    leave(true, "Sales");    // Exit
    leave(false, "");        // Esc
    leave(false, "Support"); // the properties closed without a user name
    EXPECT_EQ(view.events, (Events{"quickswitch", "close", "end", "quickswitch", "close", "end",
                                   "quickswitch", "properties", "close", "end"}));
    EXPECT_FALSE(fileExists(dir.file("registry.reg")));
    EXPECT_TRUE(shell.askedFor.empty());
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(store.GetSetting("Logon", "Username", "none"), "none");
}

TEST_F(StartHostModeTest, TheHostStartsOnlyWhenTheSettingIsOneAndThereAreTiles) {
    struct Case {
        std::string general;
        bool starts;
    };
    for (const Case& c :
         {Case{"QuickSwitchStartup=1\r\nquickswitch=Sales", true},
          Case{"QuickSwitchStartup=0\r\nQuickSwitch=Sales", false},
          Case{"QuickSwitchStartup=2\r\nQuickSwitch=Sales", false},
          Case{"QuickSwitchStartup=1\r\nQuickSwitch=", false}, Case{"QuickSwitch=Sales", false},
          Case{"QuickSwitchStartup=yes\r\nQuickSwitch=Sales", false}}) {
        writeBytes(iniPath(), "[General]\r\n" + c.general + "\r\n");
        view.events.clear();
        prompter.asked.clear();
        startup.Form_Load();
        EXPECT_EQ(view.events.front() == "quickswitch", c.starts) << c.general;
        EXPECT_EQ(prompter.asked.empty() ? "" : prompter.asked.back().text,
                  c.starts ? "" : "Please run ACT! before running Velmaris!")
            << c.general;
    }
    EXPECT_TRUE(failureReports().empty()) << "a setting that is no number is no";
}

TEST_F(StartHostModeTest, TheLogonTypesThePasswordUnlessTheDatabaseSaysNot) {
    pick("Sales");
    for (const auto& [stored, usePassword] :
         std::vector<std::pair<std::string, std::string>>{{"0", "1"}, {"1", "0"}, {"2", "0"}}) {
        ASSERT_TRUE(store.SaveSetting("Sales", "NoPasswordAtACTStartup", stored));
        startup.Form_Load();
        EXPECT_EQ(store.GetSetting("Logon", "UsePassword"), usePassword) << stored;
    }
}

TEST_F(StartHostModeTest, AFirstOpeningAsksForTheUserNameOnTheLogonPage) {
    pick("Support");
    view.onProperties = [this] {
        EXPECT_TRUE(program.properties.bFocusUserName);
        EXPECT_EQ(program.currentDatabaseName, "Support");
        EXPECT_EQ(program.names, (std::vector<std::string>{"Sales", "Support"}));
        EXPECT_TRUE(store.SaveSetting("Support", "Username", "dave"));
    };
    startup.Form_Load();

    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text,
              "Because it is the first time you are opening this database with QuickSwitch\r"
              "and no username has been setup,\r"
              "you need to enter your username (and optionally a password).");
    EXPECT_EQ(prompter.asked[0].caption, "Velmaris");
    EXPECT_EQ(prompter.asked[0].icon, Prompter::Icon::Exclamation);
    EXPECT_FALSE(program.properties.bFocusUserName);
    EXPECT_EQ(view.events, (Events{"quickswitch", "properties", "close", "end"}));
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "dave");
}

TEST_F(StartHostModeTest, WithoutAHostProgramOnlyLogonStartsAndGivesUpByItself) {
    pick("Sales");
    for (const Status status : {Status::NoneRegistered, Status::Failed}) {
        shell.program = {status, {}};
        shell.started.clear();
        startup.Form_Load();
        EXPECT_EQ(shell.started, std::vector<std::string>{logonProgram()});
    }
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(StartHostModeTest, AHandOverTheStoreRefusesIsReportedAndLogonIsNotStarted) {
    view.onQuickSwitch = [this] {
        program.sStartDatabase = "Sales";
        store.refuse = true;
    };
    startup.Form_Load();
    EXPECT_EQ(shell.started, std::vector<std::string>{"/opt/host/host-standin"});
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("Error 2001: 'The per-user settings could not be written: "
                                       "memory'\rin modStartACT: Sub StartACT_mode - Line # "),
              std::string::npos)
        << failureReports()[0];
}

TEST_F(StartHostModeTest, ARenameOnTheLogonPageStartsTheDatabaseUnderItsNewName) {
    pick("Support");
    view.onProperties = [this] {
        DatabaseProperties properties(program, menus, list);
        FakePropertiesView dialog;
        dialog.shown = properties.Form_Load();
        dialog.shown.name = "Help";
        dialog.shown.contactLayout = "/l/help.cly";
        dialog.shown.username = "dave";
        properties.cmdOK_Click(dialog);
    };
    startup.Form_Load();
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "dave");
    EXPECT_NE(registryText().find("\"Last DB Name\"=\"/db/support.dbf\""), std::string::npos);
}

TEST_F(StartHostModeTest, ARefusedRegistryValueStopsTheStartAndPutsBackThoseWritten) {
    pick("Sales");
    const std::string before = "REGEDIT4\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Symantec\\ACT!\\Database]\n"
                               "\"Last DB Name\"=\"/db/old.dbf\"\n"
                               "\"Use Last DB\"=dword:00000000\n\n";
    writeBytes(dir.file("registry.reg"), before);
    registry.refuseNth = 4; // the group layout
    startup.Form_Load();
    EXPECT_EQ(registryText(), before);
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(failureReports().size(), 1u);

    std::filesystem::remove(dir.file("registry.reg"));
    std::filesystem::create_directory(dir.file("registry.reg"));
    startup.Form_Load();
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(store.GetSetting("Logon", "Username", "none"), "none");
    ASSERT_FALSE(failureReports().empty());
    EXPECT_NE(failureReports().back().find("Last DB Name'\rin modStartACT: Sub StartACT_mode"),
              std::string::npos)
        << failureReports().back();
}

TEST_F(StartHostModeTest, TheHostProgramIsAskedForWithAScratchDatabaseFile) {
    clsToolbarIcon icon(program);
    writeBytes(dir.file("test.dbf"), "left from before");
    EXPECT_EQ(icon.GetACTLocation(), "/opt/host/host-standin");
    EXPECT_EQ(shell.askedFor.at(0).second, "test");
    EXPECT_FALSE(fileExists(dir.file("test.dbf")));
    shell.program = {Status::NoneRegistered, {}};
    EXPECT_EQ(icon.GetACTLocation(), "none");
    shell.program = {Status::Failed, {}};
    EXPECT_EQ(icon.GetACTLocation(), "");
    EXPECT_TRUE(prompter.asked.empty());

    program.programFolder = dir.file("missing");
    EXPECT_EQ(icon.GetACTLocation(), "");
    EXPECT_EQ(shell.askedFor.size(), 3u);
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("in clsToolbarIcon: Property Get GetACTLocation"),
              std::string::npos)
        << failureReports()[0];
}
