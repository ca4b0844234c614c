#include <gtest/gtest.h>

#include <QWidget>

#include "InputTestGrid.h"
#include "support/Input.h"
#include "support/GridTestAccess.h"

namespace {

WPARAM ScrollCode(unsigned code, int pos = 0)
{
    return WPARAM(code) | (WPARAM(pos) << 16);
}

class GridScrollBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<InputTestGrid>(nullptr);
        grid->Widget();
        grid->SetRowCount(20); // three rows in view; the last view starts at row 17
        grid->Update();
    }
    int Top() const { return grid->TopLeft().Y; }
    void V(unsigned code, int pos = 0) { grid->Perform(WM_VSCROLL, ScrollCode(code, pos)); }
    std::unique_ptr<InputTestGrid> grid;
};

TEST_F(GridScrollBars, CommandsMoveTheViewOnTheFixedScale)
{
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbVert).Max, 127);
    V(SB_LINEDOWN);
    EXPECT_EQ(Top(), 2);
    V(SB_LINEUP);
    V(SB_LINEUP);
    EXPECT_EQ(Top(), 1);
    V(SB_PAGEDOWN);
    EXPECT_EQ(Top(), 3);
    V(SB_PAGEUP);
    EXPECT_EQ(Top(), 1);
    V(SB_BOTTOM);
    EXPECT_EQ(Top(), 17);
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbVert).Pos, 127);
    V(SB_TOP);
    EXPECT_EQ(Top(), 1);
    // 1 + 64 * 16 / 127, rounded.
    V(SB_THUMBPOSITION, 64);
    EXPECT_EQ(Top(), 9);
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbVert).Pos, 63);
    V(SB_THUMBPOSITION, 5000); // beyond the scale: the last view
    EXPECT_EQ(Top(), 17);
    V(SB_ENDSCROLL);
    V(99);
    EXPECT_EQ(Top(), 17);
}

TEST_F(GridScrollBars, ThumbTrackingOnlyWithTheOption)
{
    grid->SetOptions(grid->Options() & ~GridOption(goThumbTracking));
    V(SB_THUMBTRACK, 127);
    EXPECT_EQ(Top(), 1);
    V(SB_THUMBPOSITION, 127);
    EXPECT_EQ(Top(), 17);
    grid->SetOptions(grid->Options() | GridOption(goThumbTracking));
    V(SB_THUMBTRACK, 0);
    EXPECT_EQ(Top(), 1);
}

TEST_F(GridScrollBars, HiddenLinesArePassedOver)
{
    grid->SetRowHeights(2, 0);
    grid->SetRowHeights(3, 0);
    V(SB_LINEDOWN);
    EXPECT_EQ(Top(), 4);
    V(SB_LINEUP);
    EXPECT_EQ(Top(), 1);
    grid->SetColCount(12);
    grid->SetColWidths(2, 0);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_LINEDOWN));
    EXPECT_EQ(grid->TopLeft().X, 3);
}

TEST_F(GridScrollBars, ASingleColumnGridScrollsByPixels)
{
    grid->SetColCount(1);
    grid->SetColWidths(0, 500);
    const int span = 500 - grid->ClientWidth();
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbHorz).Max, span);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_BOTTOM));
    EXPECT_EQ(GridTestAccess::ColOffset(*grid), span);
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbHorz).Pos, span);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_TOP));
    EXPECT_EQ(GridTestAccess::ColOffset(*grid), 0);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_LINEDOWN));
    const int step = GridTestAccess::ColOffset(*grid);
    EXPECT_GT(step, 0);
    EXPECT_LT(step, 20);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_PAGEDOWN));
    EXPECT_EQ(GridTestAccess::ColOffset(*grid), span);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_THUMBPOSITION, 40));
    EXPECT_EQ(GridTestAccess::ColOffset(*grid), 40);
    grid->Perform(WM_HSCROLL, ScrollCode(SB_LINEUP));
    EXPECT_EQ(GridTestAccess::ColOffset(*grid), 40 - step);
}

TEST_F(GridScrollBars, TheWheelMovesTheCurrentRowOverUnusableRows)
{
    grid->SetRowCount(5);
    EXPECT_TRUE(grid->DoMouseWheel(0, -120, {}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    grid->readOnlyCells = {{1, 3}};
    grid->DoMouseWheel(0, -120, {});
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 4}));
    EXPECT_TRUE(grid->DoMouseWheel(0, -120, {})); // the last row: handled, nothing moves
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 4}));
    grid->DoMouseWheel(0, 120, {});
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    grid->DoMouseWheel(0, 120, {});
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_TRUE(grid->DoMouseWheel(0, 120, {})); // the head row is not a target
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    grid->readOnlyCells = {{1, 2}, {1, 3}, {1, 4}};
    grid->DoMouseWheel(0, -120, {});
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
}

} // namespace

TEST(GridScrollBarWindow, ClientSizeExcludesTheBorderAndTheBarsThatHaveARange)
{
    struct Row {
        int cols, rows;
        bool horz, vert;
        int clientWidth, clientHeight;
    } rows[] = {{2, 2, false, false, 356, 86}, {2, 50, false, true, 340, 86}, {5, 50, true, true, 340, 70}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.rows);
        InputTestGrid grid(nullptr);
        grid.SetBorderStyle(bsSingle); // the sunken client edge with Ctl3D
        grid.SetBounds(0, 0, 360, 90);
        grid.SetColCount(r.cols);
        grid.SetRowCount(r.rows);
        EXPECT_EQ(grid.ScrollBarVisible(SB_HORZ), r.horz);
        EXPECT_EQ(grid.ScrollBarVisible(SB_VERT), r.vert);
        EXPECT_EQ(grid.ClientWidth(), r.clientWidth);
        EXPECT_EQ(grid.ClientHeight(), r.clientHeight);
        EXPECT_EQ(grid.GetScrollInfo(SB_VERT).Max, r.vert ? 127 : 0);
    }
}

TEST_F(GridScrollBars, TheBarsPartsDriveTheGrid)
{
    // The vertical bar: x 360..375, y 0..89; arrows of 16, a 16-pixel thumb on a
    // 58-pixel track (42 pixels of travel).
    const int x = 368;
    ClickAt(grid.get(), x, 85);
    EXPECT_EQ(Top(), 2);
    ClickAt(grid.get(), x, 5);
    EXPECT_EQ(Top(), 1);
    ClickAt(grid.get(), x, 60);
    EXPECT_EQ(Top(), 3);
    EXPECT_EQ(grid->GetScrollPos(SB_VERT), GridTestAccess::ScrollBar(*grid, gsbVert).Pos);
    ClickAt(grid.get(), x, 5);
    ClickAt(grid.get(), x, 5);
    ASSERT_EQ(Top(), 1);

    // Without thumb tracking the view follows on release only.
    grid->SetOptions(grid->Options() & ~GridOption(goThumbTracking));
    SendMouse(grid.get(), QEvent::MouseButtonPress, x, 20, Qt::LeftButton);
    SendMouse(grid.get(), QEvent::MouseMove, x, 16 + 42 + 4, Qt::LeftButton);
    EXPECT_EQ(Top(), 1);
    SendMouse(grid.get(), QEvent::MouseButtonRelease, x, 16 + 42 + 4, Qt::LeftButton);
    EXPECT_EQ(Top(), 17);
    EXPECT_EQ(grid->GetScrollPos(SB_VERT), 127);

    // With it, the view follows the thumb while it is dragged.
    grid->SetOptions(grid->Options() | GridOption(goThumbTracking));
    SendMouse(grid.get(), QEvent::MouseButtonPress, x, 62, Qt::LeftButton);
    SendMouse(grid.get(), QEvent::MouseMove, x, 20, Qt::LeftButton);
    EXPECT_EQ(Top(), 1);
    SendMouse(grid.get(), QEvent::MouseButtonRelease, x, 20, Qt::LeftButton);
    EXPECT_EQ(Top(), 1);
}
