#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWidget>

#include "grid/core/InputTestGrid.h"
#include "grid/core/pointer/GridCursorImages.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/layout/GridSizingZone.h"
#include "support/Input.h"
#include "support/GridTestAccess.h"

namespace {

class GridMouse : public InputGridTest {
protected:
    TGridMouseState StateAt(int x, int y)
    {
        int offset = 0, pos = 0, index = -1;
        TGridMouseState state = gmsNone;
        GridTestAccess::Pointer(*grid).CalcSizingState(x, y, grid->ComputeLayout(), offset, pos, index, state);
        lastIndex = index;
        return state;
    }
    int lastIndex = -1;
};

TEST_F(GridMouse, ClicksMoveTheCurrentCellButNotOntoReadOnlyOrSplitCells)
{
    int clicks = 0;
    std::vector<TMouseButton> downs;
    Bind(grid->OnClick, [&](TObject*) { ++clicks; });
    Bind(grid->OnMouseDown, [&](TObject*, TMouseButton b, TShiftState, int, int) { downs.push_back(b); });
    const TPoint p = CellCentre(*grid, 3, 2);
    Click(*grid, p.X, p.Y);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 2}));
    EXPECT_EQ(grid->LastMoveReason(), mrMouse);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    EXPECT_EQ(downs.size(), 1u);
    EXPECT_GE(clicks, 1);

    grid->readOnlyCells = {{2, 2}};
    grid->rowStyles[3] = rsSplit;
    const TPoint ro = CellCentre(*grid, 2, 2);
    Click(*grid, ro.X, ro.Y);
    const TPoint split = CellCentre(*grid, 1, 3);
    Click(*grid, split.X, split.Y);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 2}));
    grid->MouseDown(mbRight, ssRight, p.X, p.Y);
    EXPECT_EQ(downs.size(), 4u);
    // Outside the cells only OnMouseDown fires.
    grid->readOnlyCells.clear();
    grid->SetColCount(3);
    Click(*grid, 355, 40);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));
    EXPECT_EQ(downs.size(), 5u);
}

TEST_F(GridMouse, ARefusedMoveEndsTheDragSelection)
{
    Bind(grid->OnBeforeMoveCurrent,
              [](TObject*, TGridCoord, TGridCoord, TMoveReason, bool& canMove) { canMove = false; });
    const TPoint p = CellCentre(*grid, 2, 2);
    grid->MouseDown(mbLeft, ssLeft, p.X, p.Y);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    EXPECT_FALSE(grid->HasTimer(1));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(GridMouse, DragSelectionAutoScrollsOnTheTimer)
{
    grid->SetRowCount(20);
    const TPoint p = CellCentre(*grid, 2, 1);
    grid->MouseDown(mbLeft, ssLeft, p.X, p.Y);
    EXPECT_EQ(grid->MouseState(), gmsSelecting);
    EXPECT_TRUE(grid->HasTimer(1));
    grid->MouseMove(ssLeft, p.X + 73, 85); // the partly visible row below the view
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 4}));
    const int top = grid->TopLeft().Y;
    grid->TimerFired(1);
    grid->Perform(WM_TIMER, 1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 6}));
    EXPECT_EQ(grid->TopLeft().Y, top + 2);
    grid->TimerFired(2); // other timers are not the grid's
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 6}));
    // Back into the heads of the scrolled view scrolls back.
    grid->MouseMove(ssLeft, p.X, 5);
    EXPECT_EQ(grid->Anchor().Y, grid->TopLeft().Y);
    grid->MouseUp(mbLeft, 0, p.X, 5);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    EXPECT_FALSE(grid->HasTimer(1));
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 1}));
}

TEST_F(GridMouse, ColumnBordersAreSizingZonesInTheHeadsOnly)
{
    // Column 1 ends at 145, where its 1-pixel line starts.
    EXPECT_EQ(StateAt(141, 5), gmsNone);
    EXPECT_EQ(StateAt(142, 5), gmsColResizing);
    EXPECT_EQ(lastIndex, 1);
    EXPECT_EQ(StateAt(149, 5), gmsColResizing);
    EXPECT_EQ(StateAt(150, 5), gmsNone);
    EXPECT_EQ(StateAt(145, 30), gmsNone);
    EXPECT_EQ(StateAt(70, 5), gmsNone); // the locked head column is never sized
    grid->SetOptions(grid->Options() | GridOption(goAdjustLiberty) | GridOption(goRowSizing));
    EXPECT_EQ(StateAt(145, 30), gmsColResizing);
    EXPECT_EQ(StateAt(100, 37), gmsRowResizing);
    EXPECT_EQ(lastIndex, 1);
    grid->refuseColSizing = true;
    EXPECT_EQ(StateAt(145, 30), gmsNone);
    // Rows from the locked head column, not on split rows.
    grid->SetOptions((DefaultGridOptions | GridOption(goRowSizing) | GridOption(goRowSplit)));
    EXPECT_EQ(StateAt(30, 37), gmsRowResizing);
    EXPECT_EQ(StateAt(100, 37), gmsNone);
    grid->rowStyles[1] = rsSplit;
    EXPECT_EQ(StateAt(30, 37), gmsNone);
    // No zones while the selection set is empty.
    grid->Selections().Clear();
    EXPECT_EQ(StateAt(30, 56), gmsNone);
}

TEST_F(GridMouse, DraggingABorderSizesTheColumn)
{
    std::vector<int> lines;
    std::vector<std::vector<int>> queries;
    Bind(grid->ColSizingLine, [&](TObject*, int pos) { lines.push_back(pos); });
    Bind(grid->ColSizeQuery, [&](TObject*, int col, int oldW, int newW, bool&) {
        queries.push_back({col, oldW, newW});
    });
    grid->MouseDown(mbLeft, ssLeft, 147, 5);
    EXPECT_EQ(grid->MouseState(), gmsColResizing);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().SizingPos, 145);
    grid->MouseMove(ssLeft, 177, 5);
    grid->MouseUp(mbLeft, 0, 177, 5);
    EXPECT_EQ(grid->ColWidths(1), 102);
    EXPECT_EQ(lines, (std::vector<int>{145, 145, 175, 175}));
    EXPECT_EQ(queries, (std::vector<std::vector<int>>{{1, 72, 102}}));
    EXPECT_EQ(grid->MouseState(), gmsNone);

    // Narrower than 2 pixels, or refused: the width stays.
    grid->MouseDown(mbLeft, ssLeft, 175, 5);
    grid->MouseUp(mbLeft, 0, 74, 5);
    EXPECT_EQ(grid->ColWidths(1), 102);
    Bind(grid->ColSizeQuery, [&](TObject*, int, int, int, bool& accept) { accept = false; });
    grid->MouseDown(mbLeft, ssLeft, 175, 5);
    grid->MouseUp(mbLeft, 0, 120, 5);
    EXPECT_EQ(grid->ColWidths(1), 102);
}

TEST_F(GridMouse, DraggingARowBorderSizesTheRow)
{
    grid->SetOptions(grid->Options() | GridOption(goRowSizing));
    grid->MouseDown(mbLeft, ssLeft, 30, 38);
    EXPECT_EQ(grid->MouseState(), gmsRowResizing);
    grid->MouseMove(ssLeft, 30, 48);
    grid->MouseUp(mbLeft, 0, 30, 48);
    EXPECT_EQ(grid->GetRowHeight(1), 28);
}

TEST_F(GridMouse, SizingAndMoveLinesAreDrawnOverThePictureAndRemoveThemselves)
{
    const QImage before = grid->Picture();
    grid->MouseDown(mbLeft, ssLeft, 145, 5);
    const QImage sizing = *grid->Surface();
    EXPECT_NE(sizing, before);
    int changed = 0;
    for (int y = 0; y < 90; ++y)
        changed += sizing.pixel(145, y) != before.pixel(145, y);
    EXPECT_EQ(changed, 45); // dotted: every other pixel
    EXPECT_EQ(sizing.pixel(100, 40), before.pixel(100, 40));
    grid->MouseMove(ssLeft, 160, 5);
    grid->Perform(WM_CANCELMODE);
    EXPECT_EQ(*grid->Surface(), before);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    EXPECT_EQ(grid->ColWidths(1), 72);

    // The move line: solid, two pixels, in the grid's colour.
    const TPoint head = CellCentre(*grid, 2, 0);
    grid->MouseDown(mbLeft, ssLeft, head.X, head.Y);
    EXPECT_EQ(grid->MouseState(), gmsColMoving);
    EXPECT_TRUE(grid->HasTimer(1));
    const QImage moving = *grid->Surface();
    EXPECT_NE(moving, before);
    grid->MouseMove(ssLeft, 255, head.Y);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveTo, 3);
    GridTestAccess::Pointer(*grid).SetShowMoveLine(true);
    GridTestAccess::CancelMode(*grid);
    EXPECT_EQ(*grid->Surface(), before);
    EXPECT_FALSE(grid->HasTimer(1));
    EXPECT_TRUE(grid->movedCols.empty());
}

TEST_F(GridMouse, ASizingDragFollowsAndEndsWhereverTheMouseGoes)
{
    // The screens' grids have a border: a drag that leaves the client area
    // over it, or the window altogether, still belongs to the client until the
    // release, as a captured window's does.
    grid->SetBorderStyle(bsSingle);
    const QImage before = grid->Picture();
    const TRect client = grid->ClientAreaInWindow();
    auto send = [&](QEvent::Type type, int x, int y) {
        SendMouse(grid.get(), type, client.Left + x, client.Top + y, Qt::LeftButton);
    };
    std::vector<int> lines;
    Bind(grid->ColSizingLine, [&](TObject*, int pos) { lines.push_back(pos); });
    struct Case {
        const char* where;
        TPoint to;
        int width; // of column 1 afterwards
    } cases[] = {
        {"on the border", {-1, 5}, 72}, // narrower than 2 pixels: kept
        {"left of the window", {-40, 5}, 72},
        {"above the window", {200, -30}, 125},
        {"right of the window", {500, 40}, 425},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        grid->SetColWidths(1, 72);
        grid->Update();
        lines.clear();
        send(QEvent::MouseButtonPress, 147, 5);
        ASSERT_EQ(grid->MouseState(), gmsColResizing);
        send(QEvent::MouseMove, c.to.X, c.to.Y);
        EXPECT_EQ(lines.back(), c.to.X - 2); // the line follows
        send(QEvent::MouseButtonRelease, c.to.X, c.to.Y);
        EXPECT_EQ(grid->MouseState(), gmsNone);
        EXPECT_EQ(grid->ColWidths(1), c.width);
        grid->SetColWidths(1, 72);
        EXPECT_EQ(grid->Picture(), before) << "a sizing line stayed";
    }

    // A release that never came (another window took the mouse): the next
    // press ends the drag and erases its line.
    send(QEvent::MouseButtonPress, 147, 5);
    send(QEvent::MouseMove, 180, 5);
    lines.clear();
    const TPoint cell = CellCentre(*grid, 3, 3);
    send(QEvent::MouseButtonPress, cell.X, cell.Y);
    EXPECT_NE(grid->MouseState(), gmsColResizing);
    send(QEvent::MouseMove, cell.X - 60, cell.Y);
    send(QEvent::MouseButtonRelease, cell.X - 60, cell.Y);
    EXPECT_EQ(lines, (std::vector<int>{178})); // only the erasing
    EXPECT_EQ(grid->ColWidths(1), 72);
    const QImage after = grid->Picture();
    for (int y = 0; y < 18; ++y)
        EXPECT_EQ(after.pixel(178, y), before.pixel(178, y)) << y;
}

TEST_F(GridMouse, ColumnAndRowMovesEndWithTheMove)
{
    const TPoint head = CellCentre(*grid, 2, 0);
    grid->MouseDown(mbLeft, ssLeft, head.X, head.Y);
    grid->MouseMove(ssLeft, 255, head.Y);
    grid->MouseUp(mbLeft, 0, 255, head.Y);
    EXPECT_EQ(grid->movedCols, (std::vector<std::pair<int, int>>{{2, 3}}));
    EXPECT_FALSE(grid->HasTimer(1));

    grid->SetOptions(grid->Options() | GridOption(goRowMoving));
    const TPoint rowHead = CellCentre(*grid, 0, 2);
    grid->MouseDown(mbLeft, ssLeft, rowHead.X, rowHead.Y);
    EXPECT_EQ(grid->MouseState(), gmsRowMoving);
    grid->MouseMove(ssLeft, rowHead.X, rowHead.Y + 19);
    grid->MouseUp(mbLeft, 0, rowHead.X, rowHead.Y + 19);
    EXPECT_EQ(grid->movedRows, (std::vector<std::pair<int, int>>{{2, 3}}));
    // Onto itself, or refused at the end: no move.
    grid->MouseDown(mbLeft, ssLeft, rowHead.X, rowHead.Y);
    grid->MouseUp(mbLeft, 0, rowHead.X, rowHead.Y);
    grid->refuseRowEnd = true;
    grid->MouseDown(mbLeft, ssLeft, rowHead.X, rowHead.Y);
    grid->MouseMove(ssLeft, rowHead.X, rowHead.Y + 19);
    grid->MouseUp(mbLeft, 0, rowHead.X, rowHead.Y + 19);
    EXPECT_EQ(grid->movedRows.size(), 1u);
}

// A descendant's end-of-move hook may name any destination: rows and columns
// alike move only to one inside the grid.
TEST_F(GridMouse, AMoveEndsOnlyAtADestinationInsideTheGrid)
{
    grid->SetOptions(grid->Options() | GridOption(goRowMoving));
    struct Case {
        bool rows;
        int to;
        bool moves;
    };
    for (const Case c : {Case{false, -1, false}, Case{false, 5, false}, Case{false, 1, true}, Case{true, -1, false},
                         Case{true, 5, false}, Case{true, 4, true}}) {
        SCOPED_TRACE(testing::Message() << (c.rows ? "row" : "column") << " to " << c.to);
        grid->movedRows.clear();
        grid->movedCols.clear();
        grid->endMoveTo = c.to;
        const TPoint head = c.rows ? CellCentre(*grid, 0, 2) : CellCentre(*grid, 2, 0);
        grid->MouseDown(mbLeft, ssLeft, head.X, head.Y);
        EXPECT_EQ(grid->MouseState(), c.rows ? gmsRowMoving : gmsColMoving);
        grid->MouseUp(mbLeft, 0, head.X, head.Y);
        const auto& moved = c.rows ? grid->movedRows : grid->movedCols;
        std::vector<std::pair<int, int>> expected;
        if (c.moves)
            expected.push_back({2, c.to});
        EXPECT_EQ(moved, expected);
        EXPECT_EQ(grid->MouseState(), gmsNone);
    }
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->RowCount(), 5);
}

TEST_F(GridMouse, MergedHeadsLimitAndCarryColumnMoves)
{
    grid->SetFixedRows(2);
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->mergeIds = {{{1, 0}, 9}, {{2, 0}, 9}, {{3, 0}, 8}, {{4, 0}, 8}};
    // A head under a wider merged head moves only inside it.
    grid->MouseDown(mbLeft, ssLeft, 320, 27);
    EXPECT_EQ(grid->MouseState(), gmsColMoving);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().ColMoveFirst, 3);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().ColMoveLast, 4);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().ColMoveHeadRow, 1);
    grid->MouseMove(ssLeft, 180, 27);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveTo, 4);
    grid->MouseMove(ssLeft, 250, 27);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveTo, 3);
    GridTestAccess::CancelMode(*grid);

    // The merged head moves as one block, past the other merged head.
    grid->MouseDown(mbLeft, ssLeft, 100, 9);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveBlockFirst, 1);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveBlockLast, 2);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().ColMoveLast, INT_MAX);
    grid->MouseMove(ssLeft, 250, 9);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveTo, 4);
    grid->MouseUp(mbLeft, 0, 250, 9);
    EXPECT_EQ(grid->movedCols, (std::vector<std::pair<int, int>>{{2, 4}, {1, 3}}));
}

TEST_F(GridMouse, DoubleClickOnABorderAsksForTheBestWidth)
{
    std::vector<int> requests;
    Bind(grid->BestWidthRequest, [&](TObject*, int col) { requests.push_back(col); });
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 142, 30); // 3 pixels left of column 1's right edge
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 150, 30); // 4 right of column 2's left edge
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 76, 30);  // left of column 1: column 0, never asked
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 70, 30);
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 110, 30); // inside the cell
    EXPECT_EQ(requests, (std::vector<int>{1, 1}));
    grid->SetColWidths(1, 0);
    requests.clear();
    grid->MouseDown(mbLeft, ssLeft | ssDouble, 75, 30); // left edge of column 2 now
    EXPECT_TRUE(requests.empty());
}

TEST_F(GridMouse, RangeFillByTheHandle)
{
    grid->SetOptions(grid->Options() | GridOption(goRangeFilling));
    std::vector<TGridRect> fills;
    Bind(grid->OnFillRangeChanged, [&](TObject*, TGridRect src, TGridRect dst) {
        fills.push_back(src);
        fills.push_back(dst);
    });
    grid->MouseMove(0, 144, 36);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).GridCursor(), TGridPointer::crGridFill);
    grid->MouseDown(mbLeft, ssLeft, 144, 36);
    EXPECT_EQ(grid->MouseState(), gmsRangeFilling);
    EXPECT_TRUE(grid->HasTimer(1));
    const TPoint p = CellCentre(*grid, 1, 3);
    grid->MouseMove(ssLeft, p.X, p.Y);
    EXPECT_EQ(grid->Selections().FillTarget(), (TGridRect{1, 1, 1, 3}));
    grid->MouseUp(mbLeft, 0, p.X, p.Y);
    EXPECT_EQ(fills, (std::vector<TGridRect>{{1, 1, 1, 1}, {1, 1, 1, 3}}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 1, 3}));
    EXPECT_EQ(grid->Selections().FillSource(), TGridRect{});
    EXPECT_EQ(grid->Selections().FillTarget(), TGridRect{});
}

TEST_F(GridMouse, RangeMoveByTheBorderShiftsTheCurrentCell)
{
    grid->SetOptions(grid->Options() | GridOption(goRangeMoving));
    std::vector<TGridRect> moves;
    Bind(grid->OnMoveRangeChanged, [&](TObject*, TGridRect src, TGridRect dst) {
        moves.push_back(src);
        moves.push_back(dst);
    });
    grid->MouseMove(0, 74, 28);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).GridCursor(), TGridPointer::crGridMove);
    grid->MouseDown(mbLeft, ssLeft, 74, 28);
    EXPECT_EQ(grid->MouseState(), gmsRangeMoving);
    EXPECT_FALSE(grid->HasTimer(1)); // a move does not auto-scroll
    const TPoint p = CellCentre(*grid, 3, 2);
    grid->MouseUp(mbLeft, 0, p.X, p.Y);
    EXPECT_EQ(moves, (std::vector<TGridRect>{{1, 1, 1, 1}, {3, 2, 3, 2}}));
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 2}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{3, 2, 3, 2}));
    EXPECT_EQ(grid->MouseState(), gmsNone);
    // A cancel-mode request drops a range drag without a trace.
    grid->MouseDown(mbLeft, ssLeft, 220, 47);
    EXPECT_EQ(grid->MouseState(), gmsRangeMoving);
    GridTestAccess::CancelMode(*grid);
    EXPECT_EQ(grid->Selections().FillSource(), TGridRect{});
    EXPECT_EQ(grid->MouseState(), gmsNone);
}

TEST_F(GridMouse, CursorsFollowTheZoneUnderTheMouse)
{
    grid->MouseMove(0, 145, 5);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).GridCursor(), crHSplit);
    grid->MouseMove(0, 100, 30);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).GridCursor(), crDefault);
    grid->SetOptions(grid->Options() | GridOption(goRowSizing));
    grid->MouseMove(0, 30, 37);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).GridCursor(), crVSplit);

    const QImage fill = GridCursorImages::Fill()->Image();
    EXPECT_EQ(GridCursorImages::FillHotSpot(), (TPoint{7, 7}));
    EXPECT_EQ(fill.pixel(7, 7), qRgba(255, 255, 255, 255));
    EXPECT_EQ(fill.pixel(0, 7), qRgba(0, 0, 0, 255));
    EXPECT_EQ(fill.pixel(7, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(fill.pixel(1, 1)), 0);
    const QImage move = GridCursorImages::Move()->Image();
    EXPECT_EQ(GridCursorImages::MoveHotSpot(), (TPoint{9, 9}));
    EXPECT_EQ(move.pixel(9, 9), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(move.pixel(8, 8)), 0);
}

TEST_F(GridMouse, FocusLossHidesTheEditorWindowButKeepsEditorMode)
{
    grid->SetEditorMode(true);
    GridTestAccess::FocusLost(*grid, true);
    EXPECT_EQ(grid->editorCalls, (std::vector<std::string>{"show 32"}));
    GridTestAccess::FocusLost(*grid, false);
    EXPECT_EQ(grid->editorCalls.back(), "hide window");
    EXPECT_TRUE(grid->EditorMode());
    grid->DoExit();
    EXPECT_TRUE(grid->EditorMode());
    grid->SetOptionExs(grid->OptionExs() | GridOptionEx(goHideEditOnExit));
    grid->DoExit();
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(GridMouse, ARefusedEditHideIgnoresThePress)
{
    grid->SetEditorMode(true);
    grid->canHide = false;
    const TPoint p = CellCentre(*grid, 3, 3);
    Click(*grid, p.X, p.Y);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
}

TEST_F(GridMouse, SelectedRowsAreDraggedByTheirHeadAfterFivePixels)
{
    GridTestAccess::Pointer(*grid).SetRowDragEnabled(true);
    grid->Selections().Add(std::make_unique<TRowSelection>(2, 2), true);
    const TPoint head = CellCentre(*grid, 0, 2);
    grid->MouseDown(mbLeft, ssLeft, head.X, head.Y);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    grid->MouseMove(ssLeft, head.X, head.Y + 4);
    EXPECT_EQ(grid->MouseState(), gmsNone);
    grid->MouseMove(ssLeft, head.X, head.Y + 5);
    EXPECT_EQ(grid->MouseState(), gmsRowMoving);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveFrom, 2);
    EXPECT_TRUE(grid->HasTimer(1));
    grid->MouseMove(ssLeft, head.X, head.Y + 19);
    EXPECT_EQ(GridTestAccess::Pointer(*grid).Tracker().MoveTo, 3);
    grid->MouseUp(mbLeft, 0, head.X, head.Y + 19);
    EXPECT_EQ(grid->movedRows, (std::vector<std::pair<int, int>>{{2, 3}}));
    EXPECT_FALSE(grid->HasTimer(1));
    EXPECT_EQ(grid->MouseState(), gmsNone);
}

TEST_F(GridMouse, AutoScrollPassesOverHiddenRows)
{
    grid->SetRowCount(20);
    grid->SetRowHeight(5, 0);
    grid->SetRowHeight(6, 0);
    const TPoint p = CellCentre(*grid, 2, 1);
    grid->MouseDown(mbLeft, ssLeft, p.X, p.Y);
    grid->MouseMove(ssLeft, p.X + 73, 85);
    ASSERT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 4}));
    grid->TimerFired(1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 7}));
    grid->TimerFired(1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 1, 3, 8}));
    grid->MouseUp(mbLeft, 0, p.X + 73, 85);
}

TEST_F(GridMouse, DraggingOverColumnHeadsSelectsColumnsAndScrolls)
{
    grid->SetColCount(10);
    grid->SetOptions((grid->Options() & ~GridOption(goColMoving)) | GridOption(goMultiSelection));
    grid->SetOptionExs(grid->OptionExs() | GridOptionEx(goAllowSelectCol));
    const TPoint head = CellCentre(*grid, 2, 0);
    grid->MouseDown(mbLeft, ssLeft, head.X, head.Y);
    EXPECT_EQ(grid->MouseState(), gmsColSelecting);
    EXPECT_TRUE(grid->HasTimer(1));
    grid->MouseMove(ssLeft, 400, head.Y); // past the right edge, over column 6 once scrolled
    grid->TimerFired(1);
    EXPECT_EQ(grid->TopLeft().X, 2);
    const TGridRect r = grid->Selections().Last()->GetRange();
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Right, 6);
    EXPECT_NE(dynamic_cast<TColSelection*>(grid->Selections().Last()), nullptr);
    grid->MouseUp(mbLeft, 0, 400, head.Y);
    EXPECT_FALSE(grid->HasTimer(1));
}

TEST_F(GridMouse, TheWheelArrivesFromTheWindow)
{
    QWheelEvent down(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->Widget(), &down);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
}

TEST(GridSizingZone, BandAroundEachLine)
{
    TGridAxisParams p;
    p.FixedCount = 2;
    p.FixedEditCount = 1;
    p.TopLeft = 2;
    p.CellCount = 6;
    p.ClientExtent = 200;
    p.Extent = TGridExtentLookup([](const void*, int i) { return i == 3 ? 0 : 40; }, nullptr);
    const TGridAxisLayout axis = TGridAxisLayout::Compute(p);
    auto all = [](int) { return true; };
    TGridSizingZone::THit hit;
    // The fixed-edit cell 1 ends at 81; the locked cell 0 is never sized.
    ASSERT_TRUE(TGridSizingZone::AxisHit(axis, 80, all, hit));
    EXPECT_EQ(hit.Index, 1);
    EXPECT_EQ(hit.Pos, 81);
    EXPECT_EQ(hit.Ofs, 1);
    EXPECT_FALSE(TGridSizingZone::AxisHit(axis, 40, all, hit));
    // Cell 2 ends at 122; the hidden cell 3 shares its line, the first accepted wins.
    ASSERT_TRUE(TGridSizingZone::AxisHit(axis, 125, all, hit));
    EXPECT_EQ(hit.Index, 2);
    ASSERT_TRUE(TGridSizingZone::AxisHit(axis, 125, [](int i) { return i != 2; }, hit));
    EXPECT_EQ(hit.Index, 3);
    // The partly visible last cell, grabbed at the client edge.
    ASSERT_TRUE(TGridSizingZone::AxisHit(axis, 199, all, hit));
    EXPECT_EQ(hit.Index, 5);
    EXPECT_EQ(hit.Pos, 200);
    EXPECT_EQ(hit.Ofs, 1);
    // A wide line is its own band.
    p.LineWidth = 9;
    const TGridAxisLayout wide = TGridAxisLayout::Compute(p);
    ASSERT_TRUE(TGridSizingZone::AxisHit(wide, 49 + 40, all, hit));
    EXPECT_FALSE(TGridSizingZone::AxisHit(wide, 49 + 40 - 1, all, hit));
}

} // namespace
