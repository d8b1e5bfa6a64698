#include "MainWindowTest.h"

using namespace vm;
using namespace vm::test;

using MainMenusTest = MainWindowTest;

TEST(QuickSwitchReplacement, RenamesOrRemovesWholeNamesOnly) {
    struct Case {
        const char* assignment;
        const char* name;
        const char* replacement;
        std::optional<std::string> result;
    };
    const std::vector<Case> cases{
        {"A;B;C", "B", "X", "A;X;C"},
        {"A;B;C", "B", "", "A;C"},
        {"B", "B", "", ""},
        {"A;C", "B", "X", std::nullopt},
        // Neighbours share their separator, so only the first of two is found.
        {"A;A", "A", "X", "X;A"},
        {"A;A", "A", "", "A"},
        {"AB;C", "A", "", std::nullopt},
        {"a;B", "A", "X", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quickSwitchWithReplacement(c.assignment, c.name, c.replacement), c.result)
            << c.assignment << " / " << c.name << " -> " << c.replacement;
}

TEST_F(MainMenusTest, ReplaceInQuickSwitchRewritesOnlyTheAssignment) {
    program.ini.sIniPath = iniPath();
    writeBytes(iniPath(),
               SettingsFile().general({{"QuickSwitch", "A;B;C"}, {"QuickSwitchStartup", "1"}}));
    menus.ReplaceInQuickSwitch("B", "X");
    EXPECT_EQ(readBytes(iniPath()), "[General]\r\nQuickSwitch=A;X;C\r\nQuickSwitchStartup=1\r\n");
}

TEST_F(MainMenusTest, LanguageChangeRenewsTheTextsAndKeepsTheRows) {
    startWithList("1");
    EXPECT_EQ(view.titles[2], "Présentation des contacts");
    view.selected = 2;
    view.onLanguagePicker = [&] { EXPECT_TRUE(store.SaveSetting("Options", "Language", "2")); };
    view.events.clear();
    host.calls.clear();

    menus.mnuLanguages_Click();
    EXPECT_EQ(view.titles[2], "Kontakt-Layout");
    EXPECT_EQ(view.openText, "Ö&ffnen");
    EXPECT_EQ(lang.LangIndex(), LangTable::kGerman);
    EXPECT_EQ(view.names(), (std::vector<std::string>{"Sales", "Support", "Copy"}));
    EXPECT_EQ(view.selected, 2);
    EXPECT_EQ(view.events, (std::vector<std::string>{"picker"}));
    EXPECT_FALSE(startup.bReloadLanguage);
    EXPECT_EQ(std::ranges::count(host.members(), "Dispatch1"), 0);
}

TEST_F(MainMenusTest, HostClosingUnsubscribesAndClosesUnlessARestartIsUnderWay) {
    for (const bool restart : {false, true}) {
        startWithList();
        program.bRestartHost = restart;
        view.events.clear();
        host.calls.clear();
        menus.ActEvent1_OnActUserWantsToClose();
        ASSERT_FALSE(host.calls.empty());
        EXPECT_EQ(host.calls.front().member, "Dispatch2");
        const std::vector<std::string> closed{"close", "end"};
        EXPECT_EQ(view.events, restart ? std::vector<std::string>{} : closed)
            << "restart " << restart;
    }
}
