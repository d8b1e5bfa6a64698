// The list management dialogs' logic: the properties of a database, the
// list's order and removals, default locations and the settings file's place.
#include "MainWindowTest.h"

#include "cipher/modEnCrypt.h"
#include "main/core/DatabaseProperties.h"
#include "main/core/FriendlyName.h"
#include "main/core/ListMaintenance.h"
#include "main/core/PrefLocations.h"
#include "main/core/SettingsLocation.h"

using namespace vm;
using namespace vm::test;

// A list of three: B takes its locations from AB; the QuickSwitch buttons
// hold AB and B.
class ListManagementTest : public MainWindowTest {
protected:
    ListManagementTest() {
        installed();
        writeList();
        startup.Form_Load();
        prompter.asked.clear();
    }

    void writeList() {
        writeBytes(iniPath(),
                   SettingsFile()
                       .list("AB;B;C")
                       .general("QuickSwitch", "AB;B;;;;;;")
                       .record("AB", "/db/ab.dbf", {{"CLY", "/l/ab.cly"}, {"Database", "/ab/db"}})
                       .record("B", "/db/b.dbf", {{"CLY", "/l/b.cly"}, {"Query", "/b/q"}})
                       .record("C", "/db/c.dbf", {{"CLY", "/l/c.cly"}, {"UseLocationsFrom", "B"}}));
        EXPECT_TRUE(store.DeleteSetting("Z"));
        EXPECT_TRUE(store.SaveSetting("B", "Username", "bea"));
    }

    // Opens the properties of `name` (empty: a new database) as the dialog does.
    void open(const std::string& name) {
        program.currentDatabaseName = name;
        program.properties.bAdd = name.empty();
        properties.emplace(program, menus, list);
        dialog = FakePropertiesView();
        dialog.shown = properties->Form_Load();
    }

    std::optional<DatabaseProperties> properties;
    FakePropertiesView dialog;
};

TEST(FriendlyName, RefusesWhatCannotRoundTripThroughTheStores) {
    const std::vector<std::string> listed{"Sales", "Support", "Rock 'n'"};
    const std::string longest(998 - std::string("Sales;Support;Rock 'n';").size(), 'x');
    const std::vector<std::pair<std::string, std::optional<int>>> cases{
        {"", nametext::kNotUnique},
        {"Support", nametext::kNotUnique},
        {"A;B", nametext::kSeparator},
        {"gEnErAl", nametext::kListSection},
        {" Lead", nametext::kNotRoundTrip},
        {"Lead ", nametext::kNotRoundTrip},
        {"[Lead]", nametext::kNotRoundTrip},
        {"Le\nad", nametext::kNotRoundTrip},
        {"\"Lead\"", nametext::kNotRoundTrip},
        {"'Lead'", nametext::kNotRoundTrip},
        {"Lead\v", nametext::kNotRoundTrip},
        {"'Lead", nametext::kNotRoundTrip}, // "'Lead;Rock 'n'" reads without its quotes
        {"Le[ad", std::nullopt},
        {"Lead \xE2\x98\x83", nametext::kNotStorable},
        {"SUPPORT", nametext::kCaseTwin},
        {longest + "y", nametext::kListTooLong},
        {longest, std::nullopt},
        {"Ventes \xC3\xA9t\xC3\xA9", std::nullopt},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(friendlyNameProblem(name, "", listed), problem) << name;
    // Its own name, in other capitals too, is no twin of itself.
    EXPECT_EQ(friendlyNameProblem("SALES", "Sales", listed), std::nullopt);
    EXPECT_EQ(friendlyNameProblem("Sales", "Sales", listed), std::nullopt);
}

TEST_F(ListManagementTest, AddingWritesTheRecordAndAppendsToTheList) {
    open("");
    dialog.shown = {"New One", "/db/new.dbf", "/l/new.cly",    "",   "/m/go.mpr", false,
                    "",        "nina",        "s\xC3\xA9same", true, true};
    properties->cmdOK_Click(dialog);

    EXPECT_TRUE(dialog.closed);
    EXPECT_FALSE(program.properties.bAdd);
    EXPECT_EQ(ini("General", "Sort"), "AB;B;C;New One");
    EXPECT_EQ(ini("New One", "Path"), "/db/new.dbf");
    EXPECT_EQ(ini("New One", "StartupMacro"), "/m/go.mpr");
    EXPECT_EQ(store.GetSetting("New One", "Username"), "nina");
    EXPECT_EQ(store.GetSetting("New One", "NoPasswordAtACTStartup"), "1");
    // Enciphered from the code page's bytes, as logon deciphers it.
    EXPECT_EQ(modEnCrypt::DecryptText(store.GetSetting("New One", "Password"), "Velmaris"),
              "s\xE9same");
    EXPECT_EQ(view.names(), (std::vector<std::string>{"AB", "B", "C"})) << "refilled by the caller";
}

TEST_F(ListManagementTest, RenamingKeepsEveryReferenceToTheDatabase) {
    view.selected = 2;
    open("B");
    dialog.shown.name = "Bee";
    properties->cmdOK_Click(dialog);

    EXPECT_EQ(ini("General", "Sort"), "AB;Bee;C");
    EXPECT_EQ(ini("General", "QuickSwitch"), "AB;Bee;;;;;;");
    EXPECT_EQ(ini("B", "Path"), "<none>");
    EXPECT_EQ(ini("Bee", "Path"), "/db/b.dbf");
    EXPECT_EQ(ini("Bee", "Query"), "/b/q") << "locations come along";
    EXPECT_EQ(ini("C", "UseLocationsFrom"), "Bee");
    EXPECT_EQ(store.GetSetting("B", "Username"), "");
    EXPECT_EQ(store.GetSetting("Bee", "Username"), "bea");
    EXPECT_EQ(view.names(), (std::vector<std::string>{"AB", "Bee", "C"}));
    EXPECT_EQ(view.rows[1].cells[3], "/db/b.dbf");
    EXPECT_EQ(view.selected, 2);

    // Locations stored under the new name in the same showing are the ones kept.
    open("Bee");
    dialog.shown.name = "Bea";
    EXPECT_TRUE(program.ini.SetKeyValue("Bea", "Query", ""));
    properties->locationsSaved("Bea");
    properties->cmdOK_Click(dialog);
    EXPECT_EQ(ini("Bea", "Query"), "<none>");
}

TEST_F(ListManagementTest, EntriesThatCannotBeSavedKeepTheDialogOpenAndWriteNothing) {
    const std::string before = readBytes(iniPath());
    open("B");
    struct Case {
        std::function<void(PropertiesFields&)> change;
        std::string message;
        PropertiesView::Field field;
        int page;
    };
    using Field = PropertiesView::Field;
    const std::vector<Case> cases{
        {[](auto& f) { f.username.clear(); }, "Please enter a username for this database!",
         Field::Username, PropertiesView::kLogonPage},
        {[](auto& f) { f.name = "AB"; }, lang[121], Field::Name, PropertiesView::kGeneralPage},
        {[](auto& f) { f.name = "general"; }, lang[154], Field::Name, 0},
        {[](auto& f) { f.name = "B;C"; }, lang[153], Field::Name, 0},
        {[](auto& f) { f.name = "B "; }, lang[155], Field::Name, 0},
        {[](auto& f) { f.name = "ab"; }, lang[157], Field::Name, 0},
        {[](auto& f) { f.name = std::string(994, 'b'); }, lang[158], Field::Name, 0},
        {[](auto& f) { f.path.clear(); }, lang[123], Field::Path, 0},
        {[](auto& f) { f.contactLayout.clear(); }, lang[93], Field::ContactLayout, 0},
        {[](auto& f) { f.password = "\xE2\x98\x83"; }, lang[156], Field::Password,
         PropertiesView::kLogonPage},
    };
    for (const Case& c : cases) {
        dialog = FakePropertiesView();
        dialog.shown = properties->Form_Load();
        dialog.page = 1;
        c.change(dialog.shown);
        prompter.asked.clear();
        properties->cmdOK_Click(dialog);
        ASSERT_EQ(prompter.asked.size(), 1u) << c.message;
        EXPECT_EQ(prompter.asked[0].text, c.message);
        EXPECT_EQ(dialog.focused, c.field) << c.message;
        EXPECT_EQ(dialog.page, c.page) << c.message;
        EXPECT_FALSE(dialog.closed);
    }
    EXPECT_EQ(dialog.shown.name, "B");
    EXPECT_EQ(readBytes(iniPath()), before);
    EXPECT_EQ(store.GetSetting("B", "UsePassword"), "");
}

TEST_F(ListManagementTest, LocationsFromAnotherDatabaseReplaceItsOwnAndNoPasswordIsKept) {
    EXPECT_TRUE(store.SaveSetting("AB", "Password", "x"));
    open("AB");
    EXPECT_EQ(properties->otherDatabases(), (std::vector<std::string>{"B", "C"}));
    dialog.shown.useLocationsFrom = true;
    dialog.shown.locationsFrom = "C";
    dialog.shown.username = "al";
    properties->cmdOK_Click(dialog);
    EXPECT_EQ(ini("AB", "UseLocationsFrom"), "C");
    EXPECT_EQ(ini("AB", "Database"), "<none>");
    EXPECT_EQ(store.GetSetting("AB", "Password", "<none>"), "<none>");
    EXPECT_EQ(store.GetSetting("AB", "UsePassword"), "0");
}

TEST_F(ListManagementTest, ARefusedWriteIsReportedAndTheDialogStaysOpen) {
    open("B");
    store.refuse = true;
    properties->cmdOK_Click(dialog);
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("could not be written"), std::string::npos);
    EXPECT_FALSE(dialog.closed);
}

TEST_F(ListManagementTest, ARenameRefusedAtAnyWriteLosesNothingAndItsRetriedOKFinishesIt) {
    // Every write of the per-user store that a rename makes, and one more:
    // the rename that nothing refuses.
    for (int nth = 1; nth <= 6; ++nth) {
        writeList();
        open("B");
        dialog.shown.name = "Z";
        dialog.shown.username = "zed";
        store.refuseOnly(nth);
        properties->cmdOK_Click(dialog);
        if (!dialog.closed) {
            // Whatever the list names is whole: its file and layout are there.
            for (const std::string name : {"AB", "B", "C", "Z"}) {
                if (("AB;" + ini("General", "Sort") + ";").find(";" + name + ";") !=
                    std::string::npos) {
                    EXPECT_NE(ini(name, "Path"), "<none>") << name << ", write " << nth;
                    EXPECT_NE(ini(name, "CLY"), "<none>") << name << ", write " << nth;
                }
            }
            store.refuseOnly(0);
            properties->cmdOK_Click(dialog);
        }
        ASSERT_TRUE(dialog.closed) << "write " << nth;
        EXPECT_EQ(ini("General", "Sort"), "AB;Z;C") << nth;
        EXPECT_EQ(ini("General", "QuickSwitch"), "AB;Z;;;;;;") << nth;
        EXPECT_EQ(ini("Z", "Path"), "/db/b.dbf") << nth;
        EXPECT_EQ(ini("Z", "Query"), "/b/q") << nth;
        EXPECT_EQ(ini("C", "UseLocationsFrom"), "Z") << nth;
        EXPECT_EQ(ini("B", "Path"), "<none>") << nth;
        EXPECT_EQ(store.GetSetting("Z", "Username"), "zed") << nth;
        EXPECT_EQ(store.GetSetting("B", "Username"), "") << nth;
    }
}

TEST_F(ListManagementTest, RemovingTakesTheDatabaseOutOfEveryListAndNamesItsDependants) {
    ListMaintenance maintenance(program, menus);
    maintenance.Form_Load(2);
    EXPECT_EQ(maintenance.selected(), 1);
    maintenance.cmdRemove_Click();
    EXPECT_EQ(ini("General", "Sort"), "AB;C");
    EXPECT_EQ(ini("General", "QuickSwitch"), "AB;;;;;;");
    EXPECT_EQ(ini("B", "Path"), "<none>");
    EXPECT_EQ(store.GetSetting("B", "Username"), "");
    EXPECT_EQ(maintenance.selected(), 1) << "the entry now at the removed place";
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[159] + "\r\nC");

    maintenance.cmdRemove_Click();
    EXPECT_EQ(maintenance.selected(), 0) << "after the last, the first";
    maintenance.cmdRemove_Click();
    EXPECT_EQ(maintenance.selected(), -1);
    EXPECT_EQ(ini("General", "Sort"), "<none>");
    EXPECT_EQ(maintenance.Form_Unload(), -1);
}

TEST_F(ListManagementTest, ADatabaseNamedAsTheProgramsOwnSectionsTakesOnlyItsRecordWithIt) {
    // Lists written by hand may hold such names; each record shares a
    // section with the list or with the user's own settings.
    const auto handWritten = [&] {
        writeBytes(iniPath(), SettingsFile()
                                  .list("AB;general;Options")
                                  .general({{"QuickSwitch", "general;AB;;;;;;"},
                                            {"QuickSwitchScheme", "2"},
                                            {"Path", "/db/g.dbf"},
                                            {"CLY", "/l/g.cly"}})
                                  .record("AB", "/db/ab.dbf", {{"CLY", "/l/ab.cly"}})
                                  .record("Options", "/db/o.dbf", {{"CLY", "/l/o.cly"}}));
        EXPECT_TRUE(store.SaveSetting("Options", "Username", "otto"));
        EXPECT_TRUE(store.SaveSetting("Options", "Language", "2"));
    };
    handWritten();
    open("general");
    dialog.shown.name = "Main";
    dialog.shown.username = "gil";
    properties->cmdOK_Click(dialog);
    ASSERT_TRUE(dialog.closed);
    EXPECT_EQ(ini("General", "Sort"), "AB;Main;Options");
    EXPECT_EQ(ini("General", "QuickSwitch"), "Main;AB;;;;;;");
    EXPECT_EQ(ini("General", "Path"), "<none>");
    EXPECT_EQ(ini("Main", "Path"), "/db/g.dbf");

    handWritten();
    ListMaintenance maintenance(program, menus);
    maintenance.Form_Load(2);
    maintenance.cmdRemove_Click();
    maintenance.cmdRemove_Click();
    EXPECT_EQ(ini("General", "Sort"), "AB");
    EXPECT_EQ(ini("General", "QuickSwitch"), "AB;;;;;;");
    EXPECT_EQ(ini("General", "QuickSwitchScheme"), "2");
    EXPECT_EQ(ini("General", "CLY"), "<none>");
    EXPECT_EQ(store.GetSetting("Options", "Language"), "2");
    EXPECT_EQ(store.GetSetting("Options", "Username", "<none>"), "<none>");
}

TEST_F(ListManagementTest, MovesStayInsideTheListAndAreWrittenOnClosing) {
    ListMaintenance maintenance(program, menus);
    maintenance.Form_Load(-1);
    EXPECT_EQ(maintenance.selected(), 0);
    EXPECT_FALSE(maintenance.upEnabled());
    EXPECT_TRUE(maintenance.downEnabled());
    maintenance.cmdUp_Click();
    maintenance.cmdDown_Click();
    maintenance.cmdDown_Click();
    EXPECT_FALSE(maintenance.downEnabled());
    maintenance.cmdDown_Click();
    maintenance.MoveListboxItem(-1, 7);
    EXPECT_EQ(maintenance.entries(), (std::vector<std::string>{"B", "C", "AB"}));
    EXPECT_EQ(ini("General", "Sort"), "AB;B;C") << "written only on closing";
    EXPECT_EQ(maintenance.Form_Unload(), 2);
    EXPECT_EQ(ini("General", "Sort"), "B;C;AB");
}

TEST_F(ListManagementTest, DefaultLocationsAreStoredUnderTheNameTypedAndClearedAtOnce) {
    program.currentDatabaseName = "AB";
    PrefLocations locations(program);
    locations.Form_Load();
    EXPECT_EQ(locations.rows()[1], "/ab/db");
    EXPECT_EQ(locations.label(4), "E-mail");
    prompter.answer = Prompter::Answer::Yes;
    locations.cmdClear_Click(1);
    EXPECT_EQ(prompter.asked.at(0).text, lang[149] + "Database?");
    EXPECT_EQ(ini("AB", "Database"), "<none>") << "deleted before any OK";
    locations.setFolder(8, "/q");
    EXPECT_TRUE(locations.cmdOK_Click("Typed"));
    EXPECT_EQ(ini("Typed", "Query"), "/q");
    EXPECT_NE(readBytes(iniPath()).find("[Typed]\r\nAttached Email=\r\n"), std::string::npos)
        << "empty folders are written too";
}

TEST_F(ListManagementTest, TheSettingsFileMovesOnlyToAFileThatExists) {
    bool changed = false;
    SettingsLocation location(program, changed);
    EXPECT_EQ(location.Form_Load(), iniPath());
    EXPECT_EQ(location.browseFolder(""), dir.path().string());
    EXPECT_FALSE(location.cmdOK_Click(dir.file("missing.ini")));
    EXPECT_EQ(prompter.asked.at(0).text, "Invalid file specified!");
    EXPECT_TRUE(location.cmdOK_Click(iniPath()));
    EXPECT_FALSE(changed);
    writeBytes(dir.file("shared.ini"), "");
    EXPECT_TRUE(location.cmdOK_Click(dir.file("shared.ini")));
    EXPECT_TRUE(changed);
    EXPECT_EQ(program.ini.sIniPath, dir.file("shared.ini"));
    EXPECT_EQ(store.GetSetting("Settings", "IniLocation"), dir.file("shared.ini"));
}

TEST_F(ListManagementTest, TheMainWindowsCommandsOpenTheDialogsWithTheirRules) {
    view.selected.reset();
    menus.mnuEditProperties_Click();
    EXPECT_EQ(prompter.asked.at(0).text, lang[82]);

    view.selected = 3;
    view.onListMaintenance = [&] { menus.iSelected = 0; };
    menus.mnuEditList_Click();
    EXPECT_EQ(store.GetSetting("Display", "Selected"), "1");
    EXPECT_TRUE(startup.bReloadList);
    EXPECT_EQ(view.selected, 1);

    view.onSettingsLocation = [&] { menus.bChanged = true; };
    menus.mnuSettingsLocation_Click();
    EXPECT_EQ(prompter.asked.back().text,
              "Please close and restart Velmaris for the changes to take effect.");
}
