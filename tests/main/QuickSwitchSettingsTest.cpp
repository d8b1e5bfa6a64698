// The QuickSwitch settings dialog's logic: which database each tile stands
// for, the colour scheme and the start-up choice, read and stored.
#include "MainWindowTest.h"

#include "main/core/QuickSwitchSettings.h"

using namespace vm;
using namespace vm::test;

namespace {

class QuickSwitchSettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        program.ini.sIniPath = iniPath();
    }
    std::string general(const std::string& key) {
        return program.ini.GetKeyValue("General", key, "<none>");
    }
    QuickSwitchSettings settings{program};
};

using Entries = std::array<int, quickswitch::kButtons>;

TEST_F(QuickSwitchSettingsTest, ButtonsShowOnlyNamesSpeltAsListedAndOkStoresEightFields) {
    // "sales" is another database than "Sales"; "Gone" has left the list; a
    // ninth field has no tile.
    writeBytes(iniPath(), "[General]\r\nSort=Sales;Support;sales\r\n"
                          "QuickSwitch=Support;;SALES;Gone;Support;sales;;Sales;Support\r\n"
                          "QuickSwitchScheme=3\r\nQuickSwitchStartup=1\r\n");
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
    writeBytes(iniPath(), "[General]\r\nQuickSwitch=Sales;Support\r\nQuickSwitchScheme=9\r\n");
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
    writeBytes(iniPath(), "[General]\r\nSort=Sales\r\nQuickSwitch=;Sales\r\n"
                          "QuickSwitchScheme=blue\r\nQuickSwitchStartup=1\r\n");
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

} // namespace
