#include <gtest/gtest.h>

#include "InputTestGrid.h"
#include "support/GridTestAccess.h"

namespace {

LRESULT Cmd(TTavikCustomGrid& g, unsigned offset, WPARAM w = 0)
{
    return g.Perform(WM_USER + offset, w);
}

class GridCommands : public InputGridTest {
protected:
    void SetUp() override
    {
        InputGridTest::SetUp();
        Bind(grid->OnGridMessage, [this](TObject*, TMessage& m) { heard.push_back(m.Msg); });
    }
    std::vector<unsigned> heard;
};

TEST_F(GridCommands, RowCommandsMoveAndAnswer)
{
    Cmd(*grid, 1001);
    EXPECT_EQ(grid->Current().Y, 2);
    Cmd(*grid, 1000);
    EXPECT_EQ(grid->Current().Y, 1);
    grid->SetRowHeights(1, 0);
    GridTestAccess::SetLastMoveReason(*grid, mrProgram);
    Cmd(*grid, 1003);
    EXPECT_EQ(grid->Current().Y, 4);
    EXPECT_EQ(grid->LastMoveReason(), mrKey);
    EXPECT_EQ(Cmd(*grid, 1021), 0);
    EXPECT_EQ(Cmd(*grid, 1020), 1);
    Cmd(*grid, 1002);
    EXPECT_EQ(grid->Current().Y, 2);
    EXPECT_EQ(Cmd(*grid, 1020), 0);
    EXPECT_EQ(Cmd(*grid, 1022), 0);
    EXPECT_EQ(Cmd(*grid, 1023), 1);
    EXPECT_EQ(Cmd(*grid, 1044), 1);
    EXPECT_EQ(heard, (std::vector<unsigned>{WM_USER + 1001, WM_USER + 1000, WM_USER + 1003, WM_USER + 1021,
                                            WM_USER + 1020, WM_USER + 1002, WM_USER + 1020, WM_USER + 1022,
                                            WM_USER + 1023, WM_USER + 1044}));
}

TEST_F(GridCommands, TreeCommandsNeedATree)
{
    Cmd(*grid, 1014, 1);
    Cmd(*grid, 1016);
    EXPECT_TRUE(grid->expanded.empty());
    EXPECT_EQ(Cmd(*grid, 1036), 0);
    EXPECT_EQ(Cmd(*grid, 1034), 0);

    grid->levels = {{1, 0}, {2, 1}, {3, 2}, {4, 0}};
    EXPECT_EQ(Cmd(*grid, 1037), 1);
    EXPECT_EQ(Cmd(*grid, 1035), 1);
    Cmd(*grid, 1014, 1);
    EXPECT_EQ(grid->expanded, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}, {3, true}}));
    grid->expanded.clear();
    Cmd(*grid, 1015);
    EXPECT_EQ(grid->expanded, (std::vector<std::pair<int, bool>>{{1, false}}));
    grid->expanded.clear();
    Cmd(*grid, 1017);
    EXPECT_EQ(grid->expanded, (std::vector<std::pair<int, bool>>{{4, false}, {3, false}, {2, false}, {1, false}}));
    EXPECT_EQ(GridTestAccess::UpdateLock(*grid), 0);
}

TEST_F(GridCommands, SelectAllAndTheReportedMessages)
{
    grid->Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(grid->Selections().Count(), 1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 4, 4}));
    grid->Perform(WM_COPY);
    grid->Perform(WM_PASTE);
    Cmd(*grid, 1018); // not one of the pairs
    Cmd(*grid, 1038);
    Cmd(*grid, 1045); // beyond the range
    EXPECT_EQ(heard, (std::vector<unsigned>{EM_SETSEL, WM_COPY, WM_PASTE}));
    // A handler answers what the core leaves open.
    Bind(grid->OnGridMessage, [](TObject*, TMessage& m) {
        if (m.Msg == WM_USER + 1024)
            m.Result = 1;
    });
    EXPECT_EQ(Cmd(*grid, 1024), 1);
    EXPECT_EQ(Cmd(*grid, 1004), 0);
}

TEST_F(GridCommands, AGridOfHeadRowsTakesCommandsSafely)
{
    grid->SetFixedRows(5);
    Cmd(*grid, 1001);
    Cmd(*grid, 1002);
    Cmd(*grid, 1003);
    EXPECT_EQ(Cmd(*grid, 1020), 0);
    grid->Perform(EM_SETSEL);
    EXPECT_TRUE(grid->Selections().IsEmpty());
    grid->Perform(WM_VSCROLL, SB_BOTTOM);
    grid->MouseDown(mbLeft, ssLeft, 100, 30);
    grid->MouseUp(mbLeft, 0, 100, 30);
    EXPECT_EQ(grid->MouseState(), gmsNone);
}

} // namespace
