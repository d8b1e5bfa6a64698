#include "main/core/DatabaseOpening.h"
#include "platform/Paths.h"

#include "MainWindowTest.h"

using namespace vm;
using namespace vm::test;

// Opening from the list: the window holds Sales (own locations, a macro) and
// Support (locations of Sales), and the host runs with its own defaults.
class DatabaseOpeningTest : public MainWindowTest {
protected:
    DatabaseOpeningTest() {
        installed();
        writeBytes(iniPath(), SettingsFile()
                                  .list("Sales;Support")
                                  .record("Sales", "/db/sales.dbf",
                                          {{"CLY", "/l/sales.cly"},
                                           {"GLY", ""},
                                           {"StartupMacro", "/m/go.mpr"},
                                           {"Database", "/sales/db"},
                                           {"Query", "/sales/q"}})
                                  .record("Support", "/db/support.dbf",
                                          {{"CLY", "/l/support.cly"},
                                           {"UseLocationsFrom", "Sales"},
                                           {"Document", "/support/docs"}}));
        EXPECT_TRUE(store.SaveSetting("Sales", "Username", "anna"));
        EXPECT_TRUE(store.SaveSetting("Sales", "Password", std::string("\x01\0x", 3)));
        EXPECT_TRUE(store.SaveSetting("Sales", "UsePassword", "1"));
        host.state.contactLayout = "/host/contact.cly";
        host.state.startupMacro = "/host/start.mpr";
        startup.Form_Load();
        host.calls.clear();
        view.events.clear();
    }

    // Each successful opening ends the program and lets the host go; the
    // next opening in a test starts from a fresh connection.
    void reconnect() {
        Create_object(program);
        host.calls.clear();
    }

    std::optional<RegistryData> location(const std::string& type) const {
        return RegistryFile(dir.file("registry.reg")).value(schema::kHostKey, type + " File Type");
    }

    DatabaseOpening opening{program, view};
};

TEST_F(DatabaseOpeningTest, PreparesTheHostHandsOverTheLogonOpensAndEnds) {
    opening.Open_DB("Sales", 0, false);

    EXPECT_EQ(host.members(),
              (std::vector<std::string>{"SetDefaultContactLayout", "SetDefaultGroupLayout",
                                        "openDB", "Create", "RunMacro", "UseLastDBonStartup",
                                        "SetDefaultContactLayout", "SetDefaultGroupLayout",
                                        "SetStartupMacro"}));
    EXPECT_EQ(host.calls[0].args, std::vector<std::string>{"/l/sales.cly"});
    EXPECT_EQ(host.calls[2].args, std::vector<std::string>{"/db/sales.dbf"});
    EXPECT_EQ(host.calls[3].args, (std::vector<std::string>{"1", "V"}));
    EXPECT_EQ(host.state.contactLayout, "/host/contact.cly"); // put back
    EXPECT_EQ(host.state.startupMacro, "/host/start.mpr");

    EXPECT_EQ(location("Database"), RegistryData(std::string("/sales/db")));
    EXPECT_EQ(location("Query"), RegistryData(std::string("/sales/q")));
    EXPECT_FALSE(location("Document")); // empty locations leave the host's own

    EXPECT_EQ(store.GetSetting("Logon", "Username"), "anna");
    EXPECT_EQ(store.GetSetting("Logon", "Password"), std::string("\x01\0x", 3));
    EXPECT_EQ(store.GetSetting("Logon", "UsePassword"), "1");
    EXPECT_EQ(store.GetSetting("Settings", "Last Username"), "anna");
    EXPECT_EQ(shell.started,
              std::vector<std::string>{dir.file("logon" + std::string(kProgramSuffix))});

    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "close", "end"}));
}

TEST_F(DatabaseOpeningTest, EachViewMapsToItsHostViewAndCalendarMode) {
    const std::vector<std::vector<std::string>> expected = {{"Create 1"},
                                                            {"Create 2"},
                                                            {"Create 3"},
                                                            {"Create 4"},
                                                            {"Create 5", "SetCalendarMode 300"},
                                                            {"Create 5", "SetCalendarMode 301"},
                                                            {"Create 5", "SetCalendarMode 302"}};
    for (int v = 0; v < 7; ++v) {
        reconnect();
        opening.Open_DB("Support", v, true);
        std::vector<std::string> got;
        for (const HostCall& call : host.calls)
            if (call.member == "Create" || call.member == "SetCalendarMode")
                got.push_back(call.member + " " + call.args.at(0));
        EXPECT_EQ(got, expected[v]) << v;
    }
    // From a QuickSwitch tile the main window is never hidden.
    EXPECT_EQ(std::ranges::count(view.events, "hide"), 0);
}

TEST_F(DatabaseOpeningTest, LocationsOfTheNamedDatabaseReplaceItsOwn) {
    opening.Open_DB("Support", 0, false);
    EXPECT_EQ(location("Database"), RegistryData(std::string("/sales/db")));
    EXPECT_FALSE(location("Document"));
}

TEST_F(DatabaseOpeningTest, AHandOverTheStoreRefusesStopsTheOpeningBeforeLogonStarts) {
    ASSERT_TRUE(store.SaveSetting("Logon", "Username", "previous"));
    ASSERT_TRUE(store.SaveSetting("Logon", "Password", "old"));
    store.refuse = true;
    opening.Open_DB("Sales", 0, false);

    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(host.members(),
              (std::vector<std::string>{"SetDefaultContactLayout", "SetDefaultGroupLayout"}));
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("Error 2001: 'The per-user settings could not be "
                                       "written: memory'\rin modOpenDB: Sub Open_DB - Line # "),
              std::string::npos)
        << failureReports()[0];
    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "show"}));
}

TEST_F(DatabaseOpeningTest, ARefusedOpenShowsTheListAgainAndLeavesTheHandOver) {
    host.fail("openDB", "Wrong user name or password");
    opening.Open_DB("Sales", 0, false);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[106]);
    EXPECT_EQ(prompter.asked[0].caption, "Velmaris");
    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "show"}));
    EXPECT_EQ(store.GetSetting("Logon", "Username"), "anna");
    EXPECT_EQ(std::ranges::count(host.members(), "Create"), 0);
}

TEST_F(DatabaseOpeningTest, OnlyLowerCaseMacroEndingsRun) {
    struct Case {
        std::string macro;
        bool startable;
        std::string ran; // RunMacro argument or started program
        bool refused;
    };
    const std::vector<Case> cases = {{"/m/go.mpr", true, "/m/go.mpr", false},
                                     {"/m/GO.MPR", true, "", true},
                                     {"/m/tool.exe", true, "/m/tool.exe", false},
                                     {"/m/tool.exe", false, "", true},
                                     {"mpr", true, "", true},
                                     {"/m/notes.txt", true, "", true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(program.ini.SetKeyValue("Sales", "StartupMacro", c.macro));
        prompter.asked.clear();
        shell.started.clear();
        host.state.macrosRun.clear();
        shell.startSucceeds = c.startable;
        reconnect();
        opening.Open_DB("Sales", 0, false);
        const bool refused = !prompter.asked.empty() &&
                             prompter.asked[0].caption == "Invalid Macro File" &&
                             prompter.asked[0].text == "Macro cannot be executed by Velmaris.";
        EXPECT_EQ(refused, c.refused) << c.macro;
        const bool ranAsMacro = !host.state.macrosRun.empty() && host.state.macrosRun[0] == c.ran;
        const bool ranAsProgram = shell.started.size() == 2 && shell.started[1] == c.ran;
        EXPECT_EQ(ranAsMacro || ranAsProgram, !c.ran.empty()) << c.macro;
    }
}

TEST_F(DatabaseOpeningTest, DefaultsStayWhenTheHostOpensTheLastDatabaseAtItsStart) {
    host.state.useLastDBonStartup = true;
    opening.Open_DB("Sales", 0, false);
    EXPECT_EQ(host.state.contactLayout, "/l/sales.cly");
    host.state.useLastDBonStartup = false;
    host.fail("SetStartupMacro");
    view.events.clear();
    reconnect();
    opening.Open_DB("Sales", 0, false);
    EXPECT_EQ(view.events.back(), "end"); // a failed restore still ends the program
    EXPECT_TRUE(failureReports().empty());
}

TEST_F(DatabaseOpeningTest, NoNameOrStartModeOpensNothing) {
    opening.Open_DB("", 0, true);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[82]);
    EXPECT_EQ(view.events, std::vector<std::string>{"show"});

    program.bStartMode = true;
    opening.Open_DB("Support", 0, true);
    EXPECT_EQ(program.sStartDatabase, "Support");
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(DatabaseOpeningTest, AFailingViewShowsTheListAgainAndReachesTheCaller) {
    host.fail("Create", "No such view");
    EXPECT_THROW(opening.Open_DB("Sales", 0, false), HostError);
    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "show"}));
    EXPECT_EQ(host.state.contactLayout, "/l/sales.cly"); // steps after the view did not run
}

TEST(ExtractPath, KeepsTheFolderWithItsSeparator) {
    EXPECT_EQ(ExtractPath("/data/act/sales.dbf"), "/data/act/");
    EXPECT_EQ(ExtractPath("sales.dbf"), "");
    EXPECT_EQ(ExtractPath("/"), "/");
}
