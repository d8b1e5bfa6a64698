// The main window of the real program as a user meets it: a switch from its
// list, the list kept up, and its integration into the host.
#include "e2e/road/RoadFixture.h"

#include "settings/IniLib.h"
#include "support/Eventually.h"

namespace vm::test {
namespace {

using namespace std::chrono_literals;

class MainWindowRoad : public RoadFixture {
protected:
    MainWindowRoad()
        : RoadFixture({.quickSwitchAtStart = false, .windowManager = false, .program = {}}) {}
};

TEST_F(MainWindowRoad, ADoubleClickOnTheSecondRowOpensItWithItsUserLoggedOn) {
    startHost("start.dbf");
    EXPECT_EQ(loginBySecondRow(), (Args{file("support.dbf"), "Carol", "x"}));
}

TEST_F(MainWindowRoad, EnterOpensTheFirstDatabaseWithItsUserLoggedOn) {
    startHost("start.dbf");
    startVelmaris();
    focus(windowNamed("Velmaris"));
    keys({"Return"});
    ASSERT_TRUE(journalHas("Login"));
    ASSERT_TRUE(logonEnded());
    EXPECT_EQ(logins(), std::vector<Args>({{file("sales.dbf"), "Alice", "wonderland"}}));
}

TEST_F(MainWindowRoad, ManageListRemovesTheSelectedDatabaseEverywhere) {
    startHost("start.dbf");
    startVelmaris();
    focus(openFromMenu(windowNamed("Velmaris"), 1, "m", "Manage List"));
    IniLib ini;
    const std::string path = file("Velmaris.ini");
    const auto removed = [&] { return ini.GetKeyValue("General", "Sort", "", path) == "Support"; };
    // Keys that come before the dialog has given its list the focus are
    // lost: they are given again while the list still holds Sales.
    for (int attempt = 0; attempt < 5; ++attempt) {
        keys({"Home", "alt+r"});
        if (eventually(removed, 3s))
            break;
    }
    EXPECT_TRUE(removed()) << readBytes(path) << readBytes(file("velmaris.err"));
    keys({"Return"});
    EXPECT_EQ(ini.GetKeyValue("General", "QuickSwitch", "", path).find("Sales"), std::string::npos);
    EXPECT_EQ(ini.GetKeyValue("Sales", "Path", "<none>", path), "<none>");
    EXPECT_EQ(store().GetSetting("Sales", "Username", "<none>"), "<none>");
    EXPECT_EQ(store().GetSetting("Support", "Username"), "Carol");
}

TEST_F(MainWindowRoad, IntegrateRestartsTheHostWhoseCommandThenStartsVelmaris) {
    hostStartsForDbfFiles();
    startHost("start.dbf");
    startVelmaris();
    const WindowId main = windowNamed("Velmaris");
    focus(openFromMenu(main, 2, "i", "Integrate with ACT!"));
    // Contacts on the toolbar (the first box, which has the focus) and in
    // the Tools menu (the seventh).
    keys({"space", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "space", "Return"});
    EXPECT_NE(answerMessage(main).value_or("").find("Do you want to re-start it now?"),
              std::string::npos);
    ASSERT_TRUE(velmarisEnds());

    ASSERT_TRUE(firstHostEnded()) << "the host was not closed";
    const WindowId frame = hostFrame("Host Stand-in - Start");
    ASSERT_NE(frame, 0u) << "the host did not come back with its database";
    EXPECT_EQ(commandPlaced(true, 1), 1);
    EXPECT_EQ(commandPlaced(false, 1), 1);
    EXPECT_EQ(commandPlaced(true, 3), 0);
    EXPECT_TRUE(runHostCommand(frame)) << "the host's command did not start Velmaris";
}

} // namespace
} // namespace vm::test
