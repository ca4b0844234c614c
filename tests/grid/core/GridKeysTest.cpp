#include <gtest/gtest.h>

#include "InputTestGrid.h"
#include "grid/layout/GridTabWalk.h"
#include "support/GridTestAccess.h"

namespace {

class GridKeys : public InputGridTest {
protected:
    TGridCoord Cur() const { return grid->Current(); }
};

// The key table itself is checked without a window (GridKeyTargetTest.cpp).
TEST_F(GridKeys, KeysMoveCurrentAndViewWithinTheirLimits)
{
    grid->SetRowCount(20);
    Key(*grid, VK_RIGHT);
    EXPECT_EQ(Cur(), (TGridCoord{2, 1}));
    EXPECT_EQ(grid->LastMoveReason(), mrKey);
    Key(*grid, VK_LEFT);
    Key(*grid, VK_LEFT); // the editable area starts at column 1
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    Key(*grid, VK_NEXT); // three rows in view: a page is two rows, and the view moves with it
    EXPECT_EQ(Cur(), (TGridCoord{1, 3}));
    EXPECT_EQ(grid->TopLeft().Y, 3);
    Key(*grid, VK_HOME, ssCtrl);
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 1}));
    Key(*grid, VK_UP, ssCtrl); // the view cannot go above the heads
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 1}));
}

TEST_F(GridKeys, ShiftMovesCurrentAndKeepsTheAnchor)
{
    Key(*grid, VK_RIGHT, ssShift);
    Key(*grid, VK_DOWN, ssShift);
    EXPECT_EQ(Cur(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 2, 2}));
    Key(*grid, VK_LEFT);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 2, 1, 2}));
}

TEST_F(GridKeys, TabWalksRowByRowAndWraps)
{
    grid->MoveCurrent(4, 4, true, false, false, true);
    Key(*grid, VK_TAB);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    Key(*grid, VK_TAB, ssShift);
    EXPECT_EQ(Cur(), (TGridCoord{4, 4}));
    // Shift+Tab does not leave the anchor behind: Tab clears the modifiers.
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 4}));
    GridTestAccess::SetTabStop(*grid, 1, false);
    grid->readOnlyCells = {{2, 1}};
    grid->MoveCurrent(4, 4, true, false, false, true);
    Key(*grid, VK_TAB);
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
    Key(*grid, VK_TAB, ssAlt); // Alt+Tab belongs to the system
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
}

TEST_F(GridKeys, TabInAGridWithoutUsableCellsKeepsTheCurrentCell)
{
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 5; ++r)
            grid->readOnlyCells.insert({c, r});
    Key(*grid, VK_TAB);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    Key(*grid, VK_TAB, ssShift);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
}

TEST_F(GridKeys, TabStepsOverTheStartCellsMergedArea)
{
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->mergeIds = {{{1, 1}, 5}, {{2, 1}, 5}};
    Key(*grid, VK_TAB);
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
    grid->MoveCurrent(1, 1, true, false, false, true);
    Key(*grid, VK_RIGHT);
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
    // From outside the area the step lands on the area's cell, not its top-left.
    Key(*grid, VK_LEFT);
    EXPECT_EQ(Cur(), (TGridCoord{2, 1}));
}

TEST_F(GridKeys, EnterActsAsTabWhereTheEditorMayNotOpen)
{
    std::set<std::pair<int, int>> noEditor = {{1, 1}, {2, 1}};
    Bind(grid->OnQueryEditorMode, [&](TObject*, int col, int row, bool& canShow, QChar ch) {
        EXPECT_EQ(ch.unicode(), 13);
        if (noEditor.count({col, row}))
            canShow = false;
    });
    Word key = VK_RETURN;
    grid->KeyDown(key, 0);
    EXPECT_EQ(key, VK_TAB);
    EXPECT_EQ(Cur(), (TGridCoord{2, 1}));
    key = VK_RETURN;
    grid->KeyDown(key, ssShift);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    // An editable cell keeps Enter for the editor.
    grid->MoveCurrent(3, 1, true, false, false, true);
    key = VK_RETURN;
    grid->KeyDown(key, 0);
    EXPECT_EQ(key, VK_RETURN);
    EXPECT_EQ(Cur(), (TGridCoord{3, 1}));
    // Without the option Enter never moves.
    grid->SetOptionExs(0);
    grid->MoveCurrent(1, 1, true, false, false, true);
    key = VK_RETURN;
    grid->KeyDown(key, 0);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
}

TEST_F(GridKeys, ARefusedEditHideBlocksMovesAndScrolls)
{
    grid->SetRowCount(20);
    grid->SetEditorMode(true);
    grid->canHide = false;
    Key(*grid, VK_DOWN, ssCtrl);
    EXPECT_EQ(grid->TopLeft().Y, 1);
    Key(*grid, VK_DOWN);
    EXPECT_EQ(Cur(), (TGridCoord{1, 1}));
    grid->canHide = true;
    Key(*grid, VK_DOWN);
    EXPECT_EQ(Cur(), (TGridCoord{1, 2}));
}

TEST_F(GridKeys, KeyMoveActiveIsSetAroundTheMove)
{
    std::vector<bool> seen;
    Bind(grid->OnMoveCurrent,
              [&](TObject*, TGridCoord, TGridCoord, TMoveReason) { seen.push_back(GridTestAccess::KeyMoveActive(*grid)); });
    Key(*grid, VK_DOWN);
    grid->MoveCurrent(3, 3, true, false, false, true);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(GridKeys, EscapeF2AndOnKeyDownComeFirst)
{
    std::vector<Word> keys;
    Bind(grid->OnKeyDown, [&](TObject*, Word& key, TShiftState) {
        keys.push_back(key);
        if (key == VK_LEFT)
            key = 0; // a handler that eats the key
    });
    Key(*grid, VK_F2);
    Key(*grid, VK_ESCAPE);
    EXPECT_EQ(grid->editorCalls, (std::vector<std::string>{"show 32", "cancel"}));
    Key(*grid, VK_RIGHT);
    Key(*grid, VK_LEFT);
    EXPECT_EQ(Cur(), (TGridCoord{2, 1}));
    EXPECT_EQ(keys, (std::vector<Word>{VK_F2, VK_ESCAPE, VK_RIGHT, VK_LEFT}));
}

TEST_F(GridKeys, TypedCharactersOpenTheEditorAndReachIt)
{
    std::vector<ushort> pressed;
    Bind(grid->OnKeyPress, [&](TObject*, QChar& ch) { pressed.push_back(ch.unicode()); });
    QChar a('a');
    grid->KeyPress(a);
    QChar b('b');
    grid->KeyPress(b);
    EXPECT_EQ(grid->editorCalls, (std::vector<std::string>{"show 97", "post 97", "post 98"}));
    EXPECT_TRUE(pressed.empty());
    // Enter closes the editor, then opens it again.
    QChar enter(13);
    grid->KeyPress(enter);
    EXPECT_EQ(enter.unicode(), 0);
    enter = QChar(13);
    grid->KeyPress(enter);
    EXPECT_EQ(grid->editorCalls.back(), "show 13");
    EXPECT_EQ(grid->editorCalls[grid->editorCalls.size() - 2], "hide");
    EXPECT_EQ(pressed, (std::vector<ushort>{13, 13}));

    grid->SetOptions(grid->Options() & ~GridOption(goEditing));
    grid->editorCalls.clear();
    QChar c('c');
    grid->KeyPress(c);
    EXPECT_TRUE(grid->editorCalls.empty());
    EXPECT_EQ(pressed.back(), 'c');
}

TEST_F(GridKeys, AGridOfHeadRowsOnlyIgnoresKeysAndCharacters)
{
    grid->SetFixedRows(5);
    const TGridCoord before = Cur();
    Key(*grid, VK_DOWN);
    Key(*grid, VK_END, ssCtrl);
    QChar a('a');
    grid->KeyPress(a);
    EXPECT_EQ(Cur(), before);
    EXPECT_TRUE(grid->editorCalls.empty());
}

TEST_F(GridKeys, DialogCodesFollowTheOptions)
{
    EXPECT_EQ(grid->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS));
    EXPECT_EQ(grid->Perform(CM_WANTSPECIALKEY, VK_RETURN), 1);
    EXPECT_EQ(grid->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), 0);
    grid->SetOptions(grid->Options() & ~GridOption(goTabs) & ~GridOption(goEditing));
    EXPECT_EQ(grid->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
    EXPECT_EQ(grid->Perform(CM_WANTSPECIALKEY, VK_RETURN), 0);
    grid->SetOptions(DefaultGridOptions | GridOption(goRowSelect));
    EXPECT_EQ(grid->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
}

TEST(GridTabWalk, WrapsBothWaysAndStopsAtTheCurrentCell)
{
    const TGridTabWalk::TArea area{1, 1, 4, 3};
    auto all = [](int, int) { return true; };
    EXPECT_EQ(TGridTabWalk::Walk(area, {3, 2}, {3, 2}, false, all), (TGridCoord{1, 1}));
    EXPECT_EQ(TGridTabWalk::Walk(area, {1, 1}, {1, 1}, true, all), (TGridCoord{3, 2}));
    EXPECT_EQ(TGridTabWalk::Walk(area, {3, 1}, {3, 1}, false, all), (TGridCoord{1, 2}));
    auto none = [](int, int) { return false; };
    EXPECT_EQ(TGridTabWalk::Walk(area, {2, 1}, {2, 1}, false, none), (TGridCoord{2, 1}));
    // A start outside the area still ends.
    EXPECT_EQ(TGridTabWalk::Walk(area, {9, 9}, {9, 9}, false, none), (TGridCoord{9, 9}));
    auto merged = [](int col, int row) { return row == 1 && col <= 2 ? 4 : 0; };
    EXPECT_EQ(TGridTabWalk::Walk(area, {1, 1}, {1, 1}, false, all, merged), (TGridCoord{3, 1}));
    EXPECT_EQ(TGridTabWalk::Walk({1, 1, 1, 1}, {0, 0}, {0, 0}, false, all), (TGridCoord{0, 0}));
}

} // namespace
