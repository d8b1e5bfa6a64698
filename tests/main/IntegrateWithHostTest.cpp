// The integrate dialog's logic against the fake host.
#include "MainWindowTest.h"

#include "main/core/IntegrateWithHost.h"

using namespace vm;
using namespace vm::test;

class IntegrateWithHostTest : public MainWindowTest {
protected:
    IntegrateWithHostTest() {
        startWithList();
        prompter.asked.clear();
        host.calls.clear();
        view.events.clear();
        integrate.Form_Load();
    }

    IntegrateWithHost integrate{program, startup, dir.file("Velmaris")};
};

TEST_F(IntegrateWithHostTest, TheFirstTickRegistersTheCommandWithItsEightValuesBeforeAddingIt) {
    EXPECT_EQ(integrate.boxes(), (std::array<bool, 12>{}));
    integrate.chkScreen_Click(8, true); // Groups, Tools menu
    const std::vector<std::string> members = host.members();
    const std::vector<std::string> tail(members.end() - 3, members.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"AuxCommandExists", "AddAuxCommand",
                                              "AddAuxCommandToToolsMenu"}));
    const HostAuxCommand& c = host.state.auxCommands.at("Velmaris").command;
    EXPECT_EQ((std::vector<std::string>{c.name, c.program, c.workingFolder, c.caption, c.toolTip,
                                        c.smallIcon, c.largeIcon}),
              (std::vector<std::string>{"Velmaris", dir.file("Velmaris"), dir.path().string(),
                                        "Velmaris", "Click to launch Velmaris",
                                        dir.file("Velmaris.ico"), dir.file("Velmaris32.ico")}));
    EXPECT_EQ(c.commandType, 1);
    EXPECT_EQ(host.state.auxCommands.at("Velmaris").toolsMenuViews, std::set<int>{3});
    EXPECT_TRUE(integrate.boxes()[8]);
}

TEST_F(IntegrateWithHostTest, OnlyTheLastResultDecidesBetweenTheFailureAndTheRestart) {
    integrate.cmdOK_Click();
    EXPECT_TRUE(prompter.asked.empty()) << "no change, nothing offered";

    host.answer("AddAuxCommandToToolbar", 5);
    integrate.chkScreen_Click(0, true);
    integrate.cmdOK_Click();
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, lang[22]);

    host.answer("AddAuxCommandToToolbar", 0);
    integrate.chkScreen_Click(1, true);
    prompter.answer = Prompter::Answer::Yes;
    integrate.cmdOK_Click();
    EXPECT_EQ(prompter.asked.back().text, lang[20] + "\r\n" + lang[21]);
    EXPECT_EQ(prompter.asked.back().buttons, Prompter::Buttons::YesNo);
    EXPECT_TRUE(program.bRestartHost);
    EXPECT_EQ(host.members().back(), "Command");
    EXPECT_EQ(shell.opened.back().first, "/db/sales.dbf");
    EXPECT_EQ(view.events, (std::vector<std::string>{"hide", "timer"}));
}

TEST_F(IntegrateWithHostTest, FailuresOfTheHostAreReportedAndTheBoxShowsWhatItHas) {
    host.answer("AddAuxCommand", 3);
    integrate.chkScreen_Click(0, true);
    ASSERT_EQ(prompter.asked.size(), 1u) << "at once";
    EXPECT_EQ(prompter.asked[0].text, lang[22]);

    prompter.asked.clear();
    host.fail("AddAuxCommandToToolsMenu");
    integrate.chkScreen_Click(6, true);
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("in frmIntegrateNew: Sub chkScreen_Click"),
              std::string::npos);
    EXPECT_FALSE(integrate.boxes()[6]);
}
