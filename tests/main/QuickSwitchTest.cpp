// The QuickSwitch window's logic and its tile tracker.
#include "MainWindowTest.h"

#include "main/core/QuickSwitch.h"
#include "main/core/Tracker.h"

using namespace vm;
using namespace vm::test;
using namespace vm::quickswitch;

namespace {

class FakeQuickSwitchView : public QuickSwitchView {
public:
    void setOuterSizeTwips(int w, int h) override { size = {w, h}; }
    void showTiles(const Tiles& t, int s) override {
        tiles = t;
        scheme = s;
    }
    int leftTwips() const override { return left; }
    int topTwips() const override { return top; }
    void setLeftTwips(int l) override { left = l; }
    void setTopTwips(int t) override { top = t; }
    void setCloseEnabled(bool enabled) override { closeEnabled = enabled; }
    void showSettings() override { events.push_back("settings"); }
    void hideWindow() override { events.push_back("hide"); }
    void closeWindow() override {
        events.push_back("close");
        if (onClose)
            onClose();
    }

    std::pair<int, int> size;
    Tiles tiles;
    int scheme = -1;
    int left = 0;
    int top = 0;
    bool closeEnabled = true;
    std::vector<std::string> events;
    std::function<void()> onClose;
};

class QuickSwitchTest : public MainWindowTest {
protected:
    QuickSwitchTest() {
        program.ini.sIniPath = iniPath();
        window.onClose = [this] { quickSwitch.Form_Unload(); };
    }
    void assign(const std::string& assignment, const std::string& scheme = "0") {
        writeBytes(iniPath(), SettingsFile().general(
                                  {{"Quickswitch", assignment}, {"QuickSwitchScheme", scheme}}));
    }

    FakeQuickSwitchView window;
    QuickSwitch quickSwitch{program, opener, view, window};
};

TEST(QuickSwitchLayout, ShowsEnoughColumnsForTheHighestAssignedPair) {
    const std::vector<std::pair<std::string, Layout>> cases{
        {"", {1, 1440}},       {"A;B", {1, 1440}},      {";;C", {2, 2580}},
        {";;;;;E", {3, 3725}}, {";;;;;;;H", {4, 4865}}, {"A;B;C;D;E;F;G;H;I", {4, 4865}},
    };
    for (const auto& [assignment, layout] : cases) {
        const Layout chosen = layoutFor(slotsFrom(assignment));
        EXPECT_EQ(chosen.columns, layout.columns) << assignment;
        EXPECT_EQ(chosen.widthTwips, layout.widthTwips) << assignment;
    }
    EXPECT_EQ(slotsFrom("A;B;C;D;E;F;G;H;I")[7], "H") << "fields past the eighth are ignored";
}

TEST_F(QuickSwitchTest, TilesShowTheirNamesColoursAndWhetherTheyCanBeClicked) {
    assign("Sales;;Support;;;;;");
    program.sOpenDBList = "|Support|";
    quickSwitch.Form_Load();
    EXPECT_EQ(window.size, std::make_pair(2580, 2400));
    const Tiles& t = window.tiles;
    EXPECT_TRUE(t[3].visible);
    EXPECT_FALSE(t[4].visible);
    EXPECT_EQ(t[0].text, "Sales");
    EXPECT_TRUE(t[0].clickable);
    EXPECT_EQ(t[2].text, "(Support)");
    EXPECT_FALSE(t[2].clickable);
    EXPECT_FALSE(t[1].clickable);
    EXPECT_EQ(t[5].number, 1);
    // Scheme 0 writes white on buttons 1 and 4, black on the others.
    EXPECT_EQ(t[0].textColour, (Rgb{255, 255, 255}));
    EXPECT_EQ(t[5].textColour, (Rgb{0, 0, 0}));

    assign("Sales", "3");
    quickSwitch.Refresh_Screen();
    EXPECT_EQ(window.scheme, 3);
    EXPECT_EQ(window.tiles[1].textColour, (Rgb{255, 255, 255}));

    assign("Sales", "7");
    quickSwitch.Refresh_Screen();
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("in frmQuickSwitch: Sub Refresh_Screen"), std::string::npos);
}

TEST_F(QuickSwitchTest, ATileOpensItsDatabaseInTheContactViewAndLeaves) {
    assign("Sales;Support");
    quickSwitch.Form_Load();
    window.left = 1500;
    window.top = 750;
    quickSwitch.MouseAction(2, Tracker::kEntered);
    EXPECT_TRUE(window.tiles[1].raised);
    quickSwitch.MouseAction(2, Tracker::kLeft);
    EXPECT_FALSE(window.tiles[1].raised);

    quickSwitch.TrackerClick(5); // nothing there
    EXPECT_TRUE(opener.calls.empty());
    quickSwitch.TrackerClick(2);
    EXPECT_EQ(opener.calls, (std::vector<RecordingOpener::Call>{{"Support", 0, true}}));
    EXPECT_EQ(window.events, (std::vector<std::string>{"hide", "close"}));
    EXPECT_TRUE(program.bQuickSwitchExit);
    EXPECT_FALSE(program.bStartCancelled);
    EXPECT_EQ(store.GetSetting("Settings", "QuickLeft"), "1500");
    EXPECT_EQ(store.GetSetting("Settings", "QuickTop"), "750");
    EXPECT_TRUE(view.events.empty()) << "the main window stays hidden";
}

TEST_F(QuickSwitchTest, LeavingChoosesBetweenTheMainWindowAndTheEnd) {
    assign("Sales");
    EXPECT_TRUE(store.SaveSetting("Settings", "QuickLeft", "300"));
    EXPECT_TRUE(store.SaveSetting("Settings", "QuickTop", "450.5"));
    program.bStartMode = true;
    quickSwitch.Form_Load();
    EXPECT_EQ(window.left, 300);
    EXPECT_EQ(window.top, 451);
    EXPECT_FALSE(window.closeEnabled);

    quickSwitch.mnuControlClose_Click();
    EXPECT_EQ(view.events, (std::vector<std::string>{"show"}));
    EXPECT_FALSE(program.bQuickSwitchExit);

    quickSwitch.cmdCancel_Click();
    EXPECT_TRUE(program.bQuickSwitchExit);
    EXPECT_FALSE(program.bStartCancelled) << "Esc is no Exit";
    quickSwitch.mnuExit_Click();
    EXPECT_TRUE(program.bStartCancelled);
    EXPECT_EQ(view.events.size(), 1u);
}

TEST_F(QuickSwitchTest, AStoredPlaceNobodyCanReadLeavesNoWayBackToTheMainWindow) {
    assign("Sales");
    EXPECT_TRUE(store.SaveSetting("Settings", "QuickTop", "450,5"));
    program.bStartMode = true;
    quickSwitch.Form_Load();
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("QuickTop holds \"450,5\""), std::string::npos);
    EXPECT_FALSE(window.closeEnabled);
}

TEST_F(QuickSwitchTest, TheStartShowsQuickSwitchInsteadOfTheMainWindowWhenAsked) {
    installed();
    const auto tiles = [](std::string_view assigned) {
        return SettingsFile()
            .list("Sales")
            .general({{"QuickSwitchStartup", "1"}, {"QuickSwitch", assigned}})
            .record("Sales", "/db/sales.dbf");
    };
    writeBytes(iniPath(), tiles(""));
    startup.Form_Load();
    EXPECT_EQ(view.events, (std::vector<std::string>{"show"})) << "nothing assigned";

    writeBytes(iniPath(), tiles("Sales"));
    view = FakeMainView();
    view.onClose = [this] { startup.Form_Unload(); };
    view.onQuickSwitch = [this] { program.bQuickSwitchExit = true; };
    startup.bReloadList = false;
    startup.Form_Load();
    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "quickswitch", "close", "end"}));
}

TEST(QuickSwitchTracker, ReportsEnterAndLeaveOnceAndAClickOnlyWhenReleasedOnTheTile) {
    Tracker tracker;
    std::vector<int> reports;
    int clicks = 0;
    tracker.Mouse = [&](int action) { reports.push_back(action); };
    tracker.Click = [&] { ++clicks; };
    tracker.pointerMoved();
    EXPECT_TRUE(reports.empty()) << "not attached";

    tracker.Attach(Tracker::kEntered | Tracker::kLeft);
    tracker.pointerMoved();
    tracker.pointerMoved();
    tracker.pressed();
    tracker.released(true);
    EXPECT_EQ(clicks, 1);
    tracker.pressed();
    tracker.pointerLeft();
    EXPECT_EQ(reports, (std::vector<int>{1, 4})) << "held, the pointer leaves all the same";
    EXPECT_FALSE(tracker.over());
    tracker.released(false);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(reports, (std::vector<int>{1, 4}));
    // Back onto the tile with the button still held: entered again, and the
    // release there ends a press that was given up.
    tracker.pointerMoved();
    tracker.released(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(reports, (std::vector<int>{1, 4, 1}));
    tracker.pointerLeft();

    tracker.Attach();
    tracker.pointerMoved();
    tracker.pressed();
    tracker.released(true);
    EXPECT_EQ(reports.size(), 4u) << "no reports asked for";
    EXPECT_EQ(clicks, 2);
}

} // namespace
