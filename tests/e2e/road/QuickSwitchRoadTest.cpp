// The QuickSwitch window of the real program, shown at start-up: its tiles,
// its digits, its strip, and the host started for a tile when it is closed.
#include "e2e/road/RoadFixture.h"

#include "support/Eventually.h"

namespace vm::test {
namespace {

using namespace std::chrono_literals;

// With a window manager and, on Linux, without one.
class QuickSwitchRoad : public RoadFixture, public ::testing::WithParamInterface<bool> {
protected:
    QuickSwitchRoad()
        : RoadFixture({.quickSwitchAtStart = true, .windowManager = GetParam(), .program = {}}) {}

    void clickTile(WindowId window, int tile) {
        const auto [x, y] = tileCentre(desktop().clientArea(window), tile);
        desktop().click(x, y);
    }

    // The user is asked for a name first: Support has none.
    void startForSupportWithoutUser() {
        ASSERT_TRUE(store().DeleteSetting("Support"));
        hostStartsForDbfFiles();
        startVelmaris();
        clickTile(windowNamed("QuickSwitch"), 2);
        EXPECT_NE(answerMessage().value_or("").find("the first time"), std::string::npos);
        focus(windowNamed("Properties: Support"));
    }
};

TEST_P(QuickSwitchRoad, StaysOnTopAndATileOpensItsDatabaseWithTheUserLoggedOn) {
    startHost("start.dbf");
    startVelmaris();
    const WindowId window = windowNamed("QuickSwitch");
    EXPECT_TRUE(desktop().isTopmost(window));
    clickTile(window, 2);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_TRUE(logonEnded());
    EXPECT_EQ(logins(), std::vector<Args>({{file("support.dbf"), "Carol", "x"}}));
}

TEST_P(QuickSwitchRoad, TheDigitOneOpensTheFirstTile) {
    startHost("start.dbf");
    startVelmaris();
    focus(windowNamed("QuickSwitch"));
    keys({"1"});
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(journalHas("Login"));
    EXPECT_EQ(logins().at(0), (Args{file("sales.dbf"), "Alice", "wonderland"}));
}

TEST_P(QuickSwitchRoad, TheStripDragsTheWindowAndTheNextStartOpensItThere) {
    startHost("start.dbf");
    startVelmaris();
    WindowId window = windowNamed("QuickSwitch");
    const ScreenBox before = desktop().clientArea(window);
    // Below the menu box on the strip at the right edge.
    const int x = before.x + before.width - 4 - 6, y = before.y + 60;
    desktop().drag(x, y, x + 120, y + 80);
    ScreenBox moved;
    EXPECT_TRUE(eventually(
        [&] {
            moved = desktop().clientArea(window);
            return moved.x != before.x && moved.y != before.y;
        },
        10s));
    focus(window);
    keys({"Escape"});
    ASSERT_TRUE(velmarisEnds());

    startVelmaris();
    window = windowNamed("QuickSwitch");
    const ScreenBox again = desktop().clientArea(window);
    EXPECT_EQ(again.x, moved.x);
    EXPECT_EQ(again.y, moved.y);
    focus(window);
    keys({"Escape"});
    EXPECT_TRUE(velmarisEnds());
}

TEST_P(QuickSwitchRoad, WithTheHostClosedATileStartsItWithTheDatabaseAndTheUser) {
    ASSERT_TRUE(store().SaveSetting("Sales", "NoPasswordAtACTStartup", "1"));
    hostStartsForDbfFiles();
    startVelmaris();
    clickTile(windowNamed("QuickSwitch"), 1);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(journalHas("LoginShown")) << "the host was not started";
    ASSERT_TRUE(logonEnded());
    // The user's name typed, the password left to the user.
    EXPECT_EQ(typedIntoLogin("Login to Sales Team"), (Args{"Alice", ""}));
    // The host opened the database of the start-up values, with its layout.
    ASSERT_TRUE(journalHas("StartUp"));
    const Args startUp = calls("StartUp").back();
    EXPECT_EQ(Args(startUp.begin(), startUp.begin() + 2),
              (Args{file("sales.dbf"), file("std.cly")}));
}

TEST_P(QuickSwitchRoad, CancellingTheFirstTimeDialogStartsNothing) {
    startForSupportWithoutUser();
    keys({"Escape"});
    ASSERT_TRUE(velmarisEnds());
    EXPECT_FALSE(hostRunsNow());
    EXPECT_FALSE(logonRunsNow());
}

TEST_P(QuickSwitchRoad, ADatabaseWithoutUserAsksForOneBeforeTheHostStarts) {
    startForSupportWithoutUser();
    desktop().type("Carol");
    keys({"Return"});
    ASSERT_TRUE(velmarisEnds());
    EXPECT_EQ(store().GetSetting("Support", "Username"), "Carol");
    ASSERT_TRUE(journalHas("Login")) << "the host was not started";
    EXPECT_EQ(logins().at(0).at(1), "Carol");
}

INSTANTIATE_TEST_SUITE_P(WindowManager, QuickSwitchRoad, ::testing::ValuesIn(windowManagers()),
                         [](const auto& instance) { return instance.param ? "Openbox" : "Bare"; });

} // namespace
} // namespace vm::test
