// The QuickSwitch settings dialog's logic: which database each tile stands
// for, the colour scheme and the start-up choice, read and stored.
#include "MainWindowTest.h"

#include "main/core/QuickSwitchSettings.h"

using namespace vm;
using namespace vm::test;

class QuickSwitchSettingsTest : public MainWindowTest {
protected:
    QuickSwitchSettingsTest() { program.ini.sIniPath = iniPath(); }
    std::string general(const std::string& key) { return ini("General", key); }
    QuickSwitchSettings settings{program};
};

using Entries = std::array<int, quickswitch::kButtons>;

TEST_F(QuickSwitchSettingsTest, ButtonsShowOnlyNamesSpeltAsListedAndOkStoresEightFields) {
    // "sales" is another database than "Sales"; "Gone" has left the list; a
    // ninth field has no tile.
    writeBytes(iniPath(),
               SettingsFile()
                   .list("Sales;Support;sales")
                   .general({{"QuickSwitch", "Support;;SALES;Gone;Support;sales;;Sales;Support"},
                             {"QuickSwitchScheme", "3"},
                             {"QuickSwitchStartup", "1"}}));
    QuickSwitchChoices choices = settings.Form_Load();
    EXPECT_EQ(settings.entries(), (std::vector<std::string>{"", "Sales", "Support", "sales"}));
    EXPECT_EQ(choices.entries, (Entries{2, 0, 0, 0, 2, 3, 0, 1}));
    EXPECT_EQ(choices.scheme, 3);
    EXPECT_TRUE(choices.startup);

    EXPECT_TRUE(settings.cmdOK_Click(choices));
    EXPECT_EQ(general("QuickSwitch"), "Support;;;;Support;sales;;Sales");
    EXPECT_EQ(general("QuickSwitchScheme"), "3");
    EXPECT_EQ(general("QuickSwitchStartup"), "1");

    choices.entries = {-1, 1, 1, 0, 0, 0, 0, 3};
    EXPECT_TRUE(settings.cmdOK_Click(choices));
    EXPECT_EQ(general("QuickSwitch"), ";Sales;Sales;;;;;sales");
}

TEST_F(QuickSwitchSettingsTest, AnEmptyListOffersOnlyTheEmptyEntryAndClearsEveryButton) {
    writeBytes(iniPath(), SettingsFile().general(
                              {{"QuickSwitch", "Sales;Support"}, {"QuickSwitchScheme", "9"}}));
    const QuickSwitchChoices choices = settings.Form_Load();
    EXPECT_EQ(settings.entries(), std::vector<std::string>{""});
    EXPECT_EQ(choices.entries, Entries{});
    EXPECT_EQ(choices.scheme, -1) << "no such scheme";

    EXPECT_TRUE(settings.cmdOK_Click(choices));
    EXPECT_EQ(general("QuickSwitch"), ";;;;;;;");
    EXPECT_EQ(general("QuickSwitchScheme"), "0");
    EXPECT_EQ(general("QuickSwitchStartup"), "0");
}

TEST_F(QuickSwitchSettingsTest, ANonNumberStopsTheLoadingAndARefusedWriteKeepsTheDialogOpen) {
    writeBytes(iniPath(), SettingsFile().list("Sales").general({{"QuickSwitch", ";Sales"},
                                                                {"QuickSwitchScheme", "blue"},
                                                                {"QuickSwitchStartup", "1"}}));
    const QuickSwitchChoices choices = settings.Form_Load();
    ASSERT_EQ(failureReports().size(), 1u);
    EXPECT_NE(failureReports()[0].find("General/QuickSwitchScheme holds \"blue\""),
              std::string::npos);
    EXPECT_NE(failureReports()[0].find("in frmAssign: Sub Form_Load"), std::string::npos);
    EXPECT_EQ(choices.entries, (Entries{0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(choices.startup) << "read after the scheme";

    program.ini.sIniPath = dir.file("missing/Velmaris.ini");
    EXPECT_FALSE(settings.cmdOK_Click(choices));
    ASSERT_EQ(failureReports().size(), 2u);
    EXPECT_NE(failureReports()[1].find("in frmAssign: Sub cmdOK_Click"), std::string::npos);
}
