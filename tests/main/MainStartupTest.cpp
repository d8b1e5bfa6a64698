#include "MainWindowTest.h"

#include <filesystem>
#include <tuple>

using namespace vm;
using namespace vm::test;

namespace {

using Events = std::vector<std::string>;
using MainStartupTest = MainWindowTest;

TEST_F(MainStartupTest, FirstStartWipesAsksForTheLanguageAndUsesItAtOnce) {
    EXPECT_TRUE(store.SaveSetting("Settings", "Height", "9000")); // left by a version before 2.0
    view.onLanguagePicker = [&] { EXPECT_TRUE(store.SaveSetting("Options", "Language", "1")); };
    const std::filesystem::path folderBefore = std::filesystem::current_path();
    startup.Form_Load();

    EXPECT_EQ(std::filesystem::current_path(), folderBefore) << "the host link moved the process";
    EXPECT_EQ(store.GetSetting("Settings", "Version"), schema::programVersionText());
    EXPECT_EQ(store.GetSetting("Settings", "Installed"), "1");
    EXPECT_EQ(view.height, kSmallestHeight);
    EXPECT_EQ(view.titles[1], "Base de données");
    EXPECT_EQ(view.openText, "&Ouvrir");
    EXPECT_EQ(readBytes(linkFile()),
              "[Utilitaires C&orvane gratuits]https://www.velmaris.example/logiciels.htm\r\n");
    EXPECT_EQ(readBytes(iniPath()), " \r\n");
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.openEnabled, false);
    EXPECT_EQ(view.events, (Events{"picker", "show"}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(MainStartupTest, AStoreThatCannotBeWrittenIsReportedOnceAndNoFirstRunIsAttempted) {
    store.refuse = true;
    startup.Form_Load();
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("The per-user settings could not be written: memory"),
              std::string::npos);
    EXPECT_EQ(view.events, (Events{"show"})) << "no language picker";
    EXPECT_EQ(view.titles[1], "Database");
}

TEST_F(MainStartupTest, FirstStartEndsEvenWhenTheHostLinkCannotBeWritten) {
    host.state.appPath = "";
    startup.Form_Load();
    EXPECT_EQ(store.GetSetting("Settings", "Installed"), "1");
    EXPECT_EQ(view.events, (Events{"picker", "show"}));
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(MainStartupTest, AnExistingHostLinkIsNeverRewritten) {
    installed("2");
    EXPECT_TRUE(store.SaveSetting("Settings", "Installed", "0"));
    std::filesystem::create_directories(dir.file("host/NetLinks"));
    writeBytes(linkFile(), "[Old]elsewhere");
    startup.Form_Load();
    EXPECT_EQ(readBytes(linkFile()), "[Old]elsewhere");
    EXPECT_EQ(store.GetSetting("Settings", "Installed"), "1");
}

struct VersionCase {
    std::string stored;
    bool wiped;
    bool upgraded;
};

class StoredVersion : public MainWindowTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(StoredVersion, DecidesBetweenWipeUpgradeAndNothing) {
    installed();
    EXPECT_TRUE(store.SaveSetting("Settings", "Version", GetParam().stored));
    EXPECT_TRUE(store.SaveSetting("Old", "Value", "kept"));
    writeBytes(iniPath(), SettingsFile().record("Sales", "/db/sales.dbf", {{"Username", "anna"}}));
    startup.Form_Load();

    EXPECT_EQ(store.GetSetting("Old", "Value").empty(), GetParam().wiped);
    EXPECT_EQ(store.GetSetting("Sales", "Username") == "anna", GetParam().upgraded);
    EXPECT_EQ(readBytes(iniPath()).find("Username") == std::string::npos, GetParam().upgraded);
    EXPECT_EQ(store.GetSetting("Settings", "Version"), schema::programVersionText());
}

INSTANTIATE_TEST_SUITE_P(MainStartup, StoredVersion,
                         ::testing::Values(VersionCase{"", true, false},
                                           VersionCase{"1999", true, false},
                                           VersionCase{"200", false, false},
                                           VersionCase{schema::programVersionText(), false, false},
                                           VersionCase{"310", false, true},
                                           VersionCase{"3125", false, true}));

struct ExitCase {
    const char* name;
    std::function<void(MainWindowTest&)> arrange;
    const char* message;
    Prompter::Icon icon;
};

class EarlyExit : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(EarlyExit, TellsWhyAndClosesWithoutSaving) {
    installed();
    EXPECT_TRUE(store.SaveSetting("Settings", "Height", "6000"));
    GetParam().arrange(*this);
    startup.Form_Load();

    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, GetParam().message);
    EXPECT_EQ(prompter.asked[0].caption, "Velmaris");
    EXPECT_EQ(prompter.asked[0].buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(prompter.asked[0].icon, GetParam().icon);
    EXPECT_TRUE(startup.bNoSave);
    EXPECT_EQ(view.events, (Events{"close", "end"}));
    EXPECT_EQ(store.GetSetting("Settings", "Height"), "6000");
    EXPECT_EQ(store.GetSetting("Display", "Selected", "none"), "none");
}

INSTANTIATE_TEST_SUITE_P(
    MainStartup, EarlyExit,
    ::testing::Values(
        ExitCase{"AnotherInstance",
                 [](MainWindowTest& fixture) { fixture.instance.otherRunning = true; },
                 "An instance of this program is already running!", Prompter::Icon::None},
        ExitCase{"HostNotRunning",
                 [](MainWindowTest& fixture) { fixture.host.state.running = false; },
                 "Please run ACT! before running Velmaris!", Prompter::Icon::Exclamation},
        ExitCase{"HostNotReachable",
                 [](MainWindowTest& fixture) { fixture.host.fail("Dispatch1"); },
                 "Problem registering ACT! event.\rPlease run actreg.exe in your ACT! folder "
                 "and try again.",
                 Prompter::Icon::Critical},
        ExitCase{"NoDatabaseOpen",
                 [](MainWindowTest& fixture) { fixture.host.state.userName.clear(); },
                 "Please make sure a database is open or ACT! completely closed before running "
                 "Velmaris!",
                 Prompter::Icon::None}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST_F(MainStartupTest, CloseSavesTheWindowStateAndTheNextStartRestoresIt) {
    startWithList();
    view.selected = 2;
    view.widths = {0, 2000, 2100, 2200, 2300};
    view.height = 6000;
    view.width = 9000;
    view.closeWindow();
    EXPECT_EQ(view.events.back(), "end");
    EXPECT_EQ(store.GetSetting("Display", "Selected"), "2");
    EXPECT_EQ(store.GetSetting("Settings", "Column4"), "2300");
    EXPECT_EQ(store.GetSetting("Settings", "Height"), "6000");
    EXPECT_EQ(store.GetSetting("Settings", "Width"), "9000");

    view = FakeMainView();
    startup.Form_Load();
    EXPECT_EQ(view.selected, 2);
    EXPECT_EQ(view.widths, (std::array<int, 5>{0, 2000, 2100, 2200, 2300}));
    EXPECT_EQ(view.sizesSet, (std::vector<std::pair<int, int>>{{6000, 9000}}));
}

TEST_F(MainStartupTest, NothingSelectedIsSavedAsThePositionPastTheEndAndIgnoredLater) {
    startWithList();
    view.selected.reset();
    startup.Form_Unload();
    EXPECT_EQ(store.GetSetting("Display", "Selected"), "4");

    view = FakeMainView();
    startup.Form_Load();
    EXPECT_EQ(view.selected, std::nullopt);
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(MainStartupTest, OnlyStoredSizesAboveTheThresholdsAreApplied) {
    const std::vector<std::tuple<const char*, const char*, std::vector<std::pair<int, int>>>> cases{
        {"5190", "8745", {}},
        {"5191", "8745", {{5191, kSmallestWidth}}},
        {"5190", "8746", {{kSmallestHeight, 8746}}}};
    for (const auto& [height, width, applied] : cases) {
        EXPECT_TRUE(store.SaveSetting("Settings", "Height", height));
        EXPECT_TRUE(store.SaveSetting("Settings", "Width", width));
        view = FakeMainView();
        startWithList();
        EXPECT_EQ(view.sizesSet, applied) << height << " x " << width;
    }
}

TEST_F(MainStartupTest, AHeightTooLargeToReadIsReportedAndTheWindowStillShows) {
    installed();
    EXPECT_TRUE(store.SaveSetting("Settings", "Height", "40000"));
    startup.Form_Load();
    const auto texts = failureReports();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("Error 6: ")) << texts[0];
    EXPECT_NE(texts[0].find("40000"), std::string::npos);
    EXPECT_NE(texts[0].find("in frmMain: Sub Form_Load - Line # "), std::string::npos);
    // The load step ended there, but the program is not left without a window.
    EXPECT_EQ(view.events, Events{"show"});
    EXPECT_EQ(view.rowCount(), 0);

    // A window grown past what a 16-bit number holds is stored as the next
    // start can read it.
    view.setSizeTwips(40000, 50000);
    view.widths[1] = 33000;
    view.closeWindow();
    EXPECT_EQ(store.GetSetting("Settings", "Height"), "32767");
    EXPECT_EQ(store.GetSetting("Settings", "Width"), "32767");
    EXPECT_EQ(store.GetSetting("Settings", "Column1"), "32767");
}

TEST_F(MainStartupTest, RestartingTheHostReopensItsDatabaseAndEndsAtTheSecondTick) {
    startWithList();
    program.bRestartHost = true;
    host.calls.clear();
    view.events.clear();
    startup.Form_Unload();

    EXPECT_EQ(host.calls, (std::vector<HostCall>{{"GetOpenDBName", {}}, {"Command", {"150"}}}));
    EXPECT_EQ(program.app, nullptr);
    EXPECT_EQ(shell.opened, (std::vector<std::pair<std::string, std::string>>{
                                {"/db/sales.dbf", dir.path().string()}}));
    EXPECT_EQ(view.events, (Events{"hide", "timer"}));
    startup.Timer1_Timer();
    EXPECT_EQ(view.events.back(), "timer");
    startup.Timer1_Timer();
    EXPECT_EQ(view.events.back(), "end");
}

TEST_F(MainStartupTest, ARestartWithoutTheApplicationObjectEndsThroughTheTimerAsAnyFailedOneDoes) {
    host.fail("CreateApplication");
    startWithList();
    ASSERT_EQ(program.app, nullptr);
    view.events.clear();
    // The integrate dialog's restart, then a second close while it waits.
    program.bRestartHost = true;
    startup.Form_Unload();
    EXPECT_EQ(view.events, (Events{"hide", "timer"}));
    startup.Form_Unload();
    EXPECT_EQ(view.events, (Events{"hide", "timer", "hide", "timer"}));
    EXPECT_TRUE(shell.opened.empty()) << "no database to reopen";
    EXPECT_EQ(store.GetSetting("Settings", "Height"), std::to_string(view.height));
    startup.Timer1_Timer();
    startup.Timer1_Timer();
    EXPECT_EQ(view.events.back(), "end");
}

} // namespace
