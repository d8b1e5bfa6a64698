#include "MainWindowTest.h"

using namespace vm;
using namespace vm::test;

using Cells = std::array<std::string, 4>;
using Titles = std::array<std::string, 5>;
using DatabaseListTest = MainWindowTest;

TEST(ShownPath, IsTheBareNameOnlyForPathsHoldingTheHostFolderAsWritten) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/opt/host/Layout/a.cly", "a.cly"},
        {"/opt/host/Layout/sub/a.cly", "a.cly"},
        {"/mnt/opt/host/Layout/a.cly", "a.cly"},
        {"/opt/host/layout/a.cly", "/opt/host/layout/a.cly"},
        {"/shared/a.cly", "/shared/a.cly"},
        {"", ""}};
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(shownPath(stored, "/opt/host/Layout"), shown) << stored;
}

TEST_F(DatabaseListTest, RowsShowTheirRecordsAndEveryRowOfTheOpenDatabaseIsRed) {
    startWithList();
    ASSERT_EQ(view.names(), (std::vector<std::string>{"Sales", "Support", "Copy"}));
    EXPECT_EQ(view.rows[0].cells,
              (Cells{"sales.cly", "/shared/groups.gly", "go.mpr", "/db/sales.dbf"}));
    EXPECT_EQ(view.rows[1].cells, (Cells{"/opt/host/layout/s.cly", "", "", "/db/support.dbf"}));
    EXPECT_TRUE(view.rows[0].red);
    EXPECT_FALSE(view.rows[1].red);
    EXPECT_TRUE(view.rows[2].red);
    EXPECT_EQ(program.sOpenDBList, "|Sales||Copy|");
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(view.openEnabled, true);

    // The refill after list maintenance shows nothing new.
    startup.bReloadList = true;
    view.events.clear();
    startup.Form_Load();
    EXPECT_EQ(view.rowCount(), 3);
    EXPECT_EQ(program.sOpenDBList, "|Sales||Copy||Sales||Copy|");
    EXPECT_TRUE(view.events.empty());
}

TEST_F(DatabaseListTest, AHostFailureOnOneRowIsReportedAndTheFillGoesOn) {
    host.fail("GetDefaultLocation");
    startWithList();
    EXPECT_EQ(view.rowCount(), 3);
    const auto texts = failureReports();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[0].find("in frmMain: Sub FillColumns"), std::string::npos) << texts[0];
    EXPECT_EQ(view.events, (std::vector<std::string>{"show"}));
}

TEST_F(DatabaseListTest, ColumnClicksMarkTheSortedColumnAndClearThePreviousMark) {
    startWithList();
    list.ListView1_ColumnClick(2);
    EXPECT_EQ(view.titles,
              (Titles{"", "Database", "< Contact Layout", "Group Layout", "Opening Macro"}));
    list.ListView1_ColumnClick(3);
    EXPECT_EQ(view.titles,
              (Titles{"", "Database", "Contact Layout", "> Group Layout", "Opening Macro"}));
    list.ListView1_ColumnClick(3);
    EXPECT_EQ(view.titles[3], "< Group Layout");
    EXPECT_EQ(view.sorts, (std::vector<std::pair<int, bool>>{{1, false}, {2, true}, {2, false}}));
}

TEST_F(DatabaseListTest, ResizeSnapsToTheSmallestWindowAndGrowsTheListWithTheWindow) {
    struct Case {
        int height, width;
        std::vector<std::pair<int, int>> snapped;
        // list height and width, frame top, label top, lblMore, lblLink, buttons
        std::array<int, 7> placement;
    };
    const std::vector<Case> cases{
        {4000, 6000, {{5190, 8475}}, {2415, 6495, 2715, 4140, 6100, 6700, 7100}},
        {5190, 8475, {}, {2415, 6495, 2715, 4140, 6100, 6700, 7100}},
        {6190, 9475, {}, {3415, 7495, 3715, 5140, 7100, 7700, 8100}},
    };
    for (const Case& c : cases) {
        view = FakeMainView();
        view.height = c.height;
        view.width = c.width;
        list.Form_Resize();
        ASSERT_TRUE(view.layout);
        const MainLayout& l = *view.layout;
        EXPECT_EQ(view.sizesSet, c.snapped) << c.height << " x " << c.width;
        EXPECT_EQ((std::array<int, 7>{l.listHeight, l.listWidth, l.frameTop, l.linkTop, l.moreLeft,
                                      l.linkLeft, l.buttonsLeft}),
                  c.placement)
            << c.height << " x " << c.width;
        EXPECT_EQ(l.linesRight, c.width);
    }
}

TEST_F(DatabaseListTest, OpenHandsTheSelectedNameAndTheCheckedViewOverAndNeedsARow) {
    startWithList();
    view.selected = 2;
    view.checked = 4;
    list.cmdOpen_Click();
    EXPECT_EQ(opener.calls, (std::vector<RecordingOpener::Call>{{"Support", 4, false}}));

    opener.calls.clear();
    view.selected.reset();
    menus.mnuFileOpen_Click();
    EXPECT_TRUE(opener.calls.empty());
    const auto texts = failureReports();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("Error 91: ")) << texts[0];
    EXPECT_NE(texts[0].find("in frmMain: Sub cmdOpen_Click"), std::string::npos);
}
