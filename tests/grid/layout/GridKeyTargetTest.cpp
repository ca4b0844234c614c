// The key table of the grid core, without a window: where each navigation key
// takes the current cell and the view, and how targets pass over unusable cells.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "grid/layout/GridKeyTarget.h"

namespace {

// A 5 x 20 grid with one head column and row; rows 1..3 are fully in view.
struct KeyGrid {
    std::set<std::pair<int, int>> unusable; // (col, row)
    std::set<int> hiddenRows;
    bool rowSelect = false;

    TGridKeyContext Context(TGridCoord current, TGridCoord topLeft = {1, 1}) const
    {
        TGridKeyContext g;
        g.Current = current;
        g.TopLeft = topLeft;
        g.FirstCol = g.FirstRow = g.FixedCols = g.FixedRows = 1;
        g.ColCount = 5;
        g.RowCount = 20;
        g.LastFullVisible = {4, topLeft.Y + 2};
        g.RowSelect = rowSelect;
        auto blocked = [this](int col, int row) { return unusable.count({col, row}) > 0; };
        g.TabStop = [blocked](int col, int row) { return !blocked(col, row); };
        g.RowUnusable = [this, blocked](int col, int row) { return hiddenRows.count(row) || blocked(col, row); };
        g.ColUnusable = blocked;
        g.RowHeight = [this](int row) { return hiddenRows.count(row) ? 0 : 18; };
        return g;
    }
    // The key's target after the table and the pass over unusable cells.
    TGridCoord Target(TGridCoord current, Word key, TShiftState shift = 0) const
    {
        const TGridKeyContext g = Context(current);
        const TGridCoord c = GridKeyTarget(g, key, shift).Cell;
        return c == current ? c : SettleKeyTarget(g, c, key, shift);
    }
};

TEST(GridKeyTarget, PlainAndCtrlKeysFollowTheNavigationTable)
{
    struct Case {
        TGridCoord from;
        Word key;
        TShiftState shift;
        TGridCoord cell;
        TGridCoord topLeft;
    } cases[] = {
        {{1, 1}, VK_RIGHT, 0, {2, 1}, {1, 1}},     {{2, 1}, VK_DOWN, 0, {2, 2}, {1, 1}},
        {{2, 2}, VK_END, 0, {4, 2}, {1, 1}},       {{4, 2}, VK_HOME, 0, {1, 2}, {1, 1}},
        {{1, 2}, VK_LEFT, 0, {0, 2}, {1, 1}},      {{1, 2}, VK_NEXT, 0, {1, 4}, {1, 3}},
        {{1, 4}, VK_PRIOR, 0, {1, 2}, {1, -1}},    {{1, 4}, VK_PRIOR, ssCtrl, {1, 1}, {1, 1}},
        {{1, 1}, VK_NEXT, ssCtrl, {1, 3}, {1, 1}}, {{1, 3}, VK_DOWN, ssCtrl, {1, 3}, {1, 2}},
        {{1, 3}, VK_UP, ssCtrl, {1, 3}, {1, 0}},   {{1, 3}, VK_END, ssCtrl, {4, 19}, {1, 1}},
        {{3, 9}, VK_HOME, ssCtrl, {1, 1}, {1, 1}}, {{1, 1}, VK_RIGHT, ssCtrl, {4, 1}, {4, 1}},
        {{2, 2}, VK_SPACE, 0, {2, 2}, {1, 1}},
    };
    const KeyGrid grid;
    for (const Case& c : cases) {
        const TGridKeyMove m = GridKeyTarget(grid.Context(c.from), c.key, c.shift);
        EXPECT_EQ(m.Cell, c.cell) << "key " << c.key << " shift " << c.shift;
        EXPECT_EQ(m.TopLeft, c.topLeft) << "key " << c.key << " shift " << c.shift;
    }
}

TEST(GridKeyTarget, RowSelectTurnsLeftRightAndHomeEndIntoRowMoves)
{
    KeyGrid grid;
    grid.rowSelect = true;
    EXPECT_EQ(grid.Target({2, 5}, VK_RIGHT), (TGridCoord{2, 6}));
    EXPECT_EQ(grid.Target({2, 5}, VK_LEFT), (TGridCoord{2, 4}));
    EXPECT_EQ(grid.Target({2, 5}, VK_END), (TGridCoord{2, 19}));
    EXPECT_EQ(grid.Target({2, 5}, VK_HOME), (TGridCoord{2, 1}));
    EXPECT_EQ(grid.Target({2, 5}, VK_RIGHT, ssCtrl), (TGridCoord{2, 5})); // no page sideways
}

TEST(GridKeyTarget, TargetsPassOverUnusableCellsOrKeepTheRow)
{
    struct Case {
        std::set<std::pair<int, int>> unusable;
        std::set<int> hidden;
        TGridCoord from;
        Word key;
        TShiftState shift;
        TGridCoord expected;
    } cases[] = {
        {{{2, 1}, {3, 1}}, {}, {1, 1}, VK_RIGHT, 0, {4, 1}},          // over read-only and hidden columns
        {{{4, 4}}, {2, 3}, {4, 1}, VK_DOWN, 0, {4, 5}},               // over split, hidden and read-only rows
        {{{4, 4}}, {2, 3}, {4, 5}, VK_UP, 0, {4, 1}},                 // and back up
        {{{4, 19}}, {}, {1, 1}, VK_END, ssCtrl, {3, 19}},             // Ctrl+End turns left
        {{{4, 6}}, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, {4, 5}, VK_DOWN, 0, {4, 5}}, // none below
        {{{4, 1}}, {}, {4, 2}, VK_UP, 0, {4, 2}},                     // nothing usable above keeps the row
        {{{1, 5}, {2, 5}}, {}, {4, 5}, VK_HOME, 0, {3, 5}},           // Home turns right
        {{}, {}, {1, 1}, VK_LEFT, 0, {1, 1}},                         // the editable area starts at 1
        {{}, {1}, {2, 3}, VK_PRIOR, 0, {2, 2}},                       // a hidden first row is passed
    };
    for (const Case& c : cases) {
        KeyGrid grid;
        grid.unusable = c.unusable;
        grid.hiddenRows = c.hidden;
        EXPECT_EQ(grid.Target(c.from, c.key, c.shift), c.expected)
            << "from " << c.from.X << "," << c.from.Y << " key " << c.key;
    }
}

TEST(GridKeyTarget, MergedCellsAreLeftInOneStep)
{
    KeyGrid grid;
    TGridKeyContext g = grid.Context({2, 2});
    // Columns 2..3 of rows 2..4 are one merged area.
    g.MergeId = [](int col, int row) { return col >= 2 && col <= 3 && row >= 2 && row <= 4 ? 7 : 0; };
    EXPECT_EQ(GridKeyTarget(g, VK_RIGHT, 0).Cell, (TGridCoord{4, 2}));
    EXPECT_EQ(GridKeyTarget(g, VK_DOWN, 0).Cell, (TGridCoord{2, 5}));
    EXPECT_EQ(GridKeyTarget(g, VK_LEFT, 0).Cell, (TGridCoord{1, 2}));
    EXPECT_EQ(GridKeyTarget(g, VK_UP, 0).Cell, (TGridCoord{2, 1}));
}

TEST(GridKeyTarget, TabWalksEditPartsBeforeLeavingTheCell)
{
    KeyGrid grid;
    TGridKeyContext g = grid.Context({2, 2});
    g.EditPartCount = 3;
    g.EditPart = 1;
    EXPECT_EQ(GridKeyTarget(g, VK_TAB, 0).Cell, (TGridCoord{2, 2}));
    g.EditPart = 2;
    EXPECT_EQ(GridKeyTarget(g, VK_TAB, 0).Cell, (TGridCoord{3, 2}));
    EXPECT_EQ(GridKeyTarget(g, VK_TAB, ssShift).Cell, (TGridCoord{2, 2}));
    g.EditPart = 0;
    EXPECT_EQ(GridKeyTarget(g, VK_TAB, ssShift).Cell, (TGridCoord{1, 2}));
    EXPECT_EQ(GridKeyTarget(g, VK_TAB, ssAlt).Cell, (TGridCoord{2, 2}));
}

} // namespace
