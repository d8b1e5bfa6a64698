// The QuickSwitch window of the real program, at start-up, with and without a
// window manager.
#include "e2e/RealProgramFixture.h"

#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class QuickSwitchEndToEnd : public RealProgramFixture, public ::testing::WithParamInterface<bool> {
protected:
    QuickSwitchEndToEnd() : RealProgramFixture(GetParam(), true) {}

    void clickTile(const Geometry& at, int button) {
        const int column = (button - 1) / 2, row = (button - 1) % 2;
        ASSERT_TRUE(xdotool({"mousemove", "--sync", std::to_string(at.x + 4 + column * 76 + 38),
                             std::to_string(at.y + 4 + row * 76 + 38), "click", "1"}));
    }

    // The QuickSwitch window once it shows, and where it stands.
    std::pair<std::string, Geometry> quickSwitchWindow() {
        const std::string id = windowNamed("QuickSwitch");
        return {id, id.empty() ? Geometry() : geometryOf(id)};
    }
};

TEST_P(QuickSwitchEndToEnd, ATileClickOpensItsDatabaseWithTheUserLoggedOn) {
    startVelmaris();
    clickTile(quickSwitchWindow().second, 1);
    ASSERT_TRUE(velmarisEnds());
    eventually([&] { return !logins().empty(); }, 15s);
    ASSERT_EQ(logins().size(), 1u);
    EXPECT_NE(logins()[0].find("\"Alice\",\"wonderland\""), std::string::npos) << logins()[0];
}

TEST_P(QuickSwitchEndToEnd, TheDigitTwoOpensTheSecondTile) {
    startVelmaris();
    const std::string id = quickSwitchWindow().first;
    focus(id);
    ASSERT_TRUE(xdotool({"key", "2"}));
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(eventually([&] { return !logins().empty(); }, 15s));
    EXPECT_NE(logins()[0].find(dir_.file("support.dbf")), std::string::npos) << logins()[0];
}

TEST_P(QuickSwitchEndToEnd, TheStripDragsTheWindowAndTheNextStartOpensItThere) {
    startVelmaris();
    const auto [id, before] = quickSwitchWindow();
    // Below the menu box on the strip at the right edge.
    const int sx = before.x + before.width - 4 - 6, sy = before.y + 60;
    // A hand's pace: the window manager takes the pointer over after the press.
    const auto to = [](int value) { return std::to_string(value); };
    ASSERT_TRUE(xdotool({"mousemove", "--sync", to(sx), to(sy),      "mousedown",
                         "1",         "sleep",  "0.3",  "mousemove", to(sx + 60),
                         to(sy + 40), "sleep",  "0.1",  "mousemove", to(sx + 120),
                         to(sy + 80), "sleep",  "0.1",  "mouseup",   "1"}));
    Geometry moved;
    eventually(
        [&] {
            moved = geometryOf(id);
            return moved.x != before.x && moved.y != before.y;
        },
        10s);
    ASSERT_NE(moved.x, before.x);
    focus(id);
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    ASSERT_TRUE(velmarisEnds());

    startVelmaris();
    const Geometry again = quickSwitchWindow().second;
    EXPECT_EQ(again.x, moved.x);
    EXPECT_EQ(again.y, moved.y);
    focus(quickSwitchWindow().first);
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    EXPECT_TRUE(velmarisEnds());
}

TEST_P(QuickSwitchEndToEnd, WithTheHostClosedATileStartsItWithTheDatabaseAndTheUser) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.SaveSetting("Sales", "NoPasswordAtACTStartup", "1"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 1);
    ASSERT_TRUE(velmarisEnds());
    ASSERT_TRUE(hostOnTheBus()) << "the host was not started";
    ASSERT_TRUE(journalHas("LoginShown"));
    ASSERT_TRUE(logonEnded());
    endStartedHost(); // the login waits for the password the user types
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_EQ(logins().size(), 1u);
    EXPECT_NE(logins()[0].find(dir_.file("sales.dbf") + "\",\"Alice\",\"\""), std::string::npos)
        << logins()[0]; // Opened from the registry's start-up values, with the database's layout.
    ASSERT_TRUE(journalHas("StartUp"));
    const std::string journal = readBytes(dir_.file("journal.jsonl"));
    EXPECT_NE(journal.find("[\"" + dir_.file("sales.dbf") + "\",\"/l/std.cly\""), std::string::npos)
        << journal;
}

TEST_P(QuickSwitchEndToEnd, CancellingTheFirstTimeDialogStartsNothing) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.DeleteSetting("Support"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 2);
    focus(windowNamed("Velmaris"));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    focus(windowNamed("Properties: Support"));
    ASSERT_TRUE(xdotool({"key", "Escape"}));
    ASSERT_TRUE(velmarisEnds());
    EXPECT_FALSE(
        QDBusConnection::sessionBus().interface()->isServiceRegistered("org.velmaris.HostStandin"));
    EXPECT_TRUE(startedBy(HOST_STANDIN).empty());
    EXPECT_TRUE(startedBy(logonProgram_).empty());
}

TEST_P(QuickSwitchEndToEnd, ADatabaseWithoutUserAsksForOneBeforeTheHostStarts) {
    FilePerUserStore store{std::string(schema::kApplicationName)};
    ASSERT_TRUE(store.DeleteSetting("Support"));
    hostNotRunning();
    startVelmaris();
    clickTile(quickSwitchWindow().second, 2);
    focus(windowNamed("Velmaris")); // the first-time message
    ASSERT_TRUE(xdotool({"key", "Return"}));
    focus(windowNamed("Properties: Support"));
    ASSERT_TRUE(xdotool({"type", "Carol"}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
    ASSERT_TRUE(velmarisEnds());
    EXPECT_EQ(store.GetSetting("Support", "Username"), "Carol");
    ASSERT_TRUE(hostOnTheBus()) << "the host was not started";
    ASSERT_TRUE(journalHas("Login"));
    EXPECT_NE(logins()[0].find("\"Carol\""), std::string::npos) << logins()[0];
}

INSTANTIATE_TEST_SUITE_P(WindowManager, QuickSwitchEndToEnd, ::testing::Bool(),
                         [](const auto& instance) { return instance.param ? "Openbox" : "Bare"; });

} // namespace
} // namespace vm::test
