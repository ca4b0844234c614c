#pragma once

// A grid for the input tests: read-only cells, merge identifiers, row styles
// and edit-part cells set per test, and the editor seams recorded.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "grid/core/TavikCustomGrid.h"
#include "support/Events.h"
#include "support/GridTestAccess.h"

class InputTestGrid : public TTavikCustomGrid {
public:
    // Without a border and grown by the bars, so that the client area is the
    // default grid's 360 x 90 that the input tests measure against.
    explicit InputTestGrid(TComponent* owner) : TTavikCustomGrid(owner)
    {
        Widget(); // the bars are set up once the window exists
        SetBorderStyle(bsNone);
        SetBounds(Left(), Top(), Width() + ScrollBarThickness, Height() + ScrollBarThickness);
    }

    std::set<std::pair<int, int>> readOnlyCells;
    std::map<std::pair<int, int>, int> mergeIds;
    std::map<int, TRowStyle> rowStyles;
    std::vector<std::string> editorCalls;
    bool canHide = true;
    bool refuseColSizing = false;
    bool refuseRowEnd = false;
    std::vector<std::pair<int, int>> movedRows;
    std::vector<std::pair<int, int>> movedCols;
    // Tree rows: level per row, and the expansion calls.
    std::map<int, int> levels;
    std::vector<std::pair<int, bool>> expanded;

    bool QueryReadOnly(int col, int row) override
    {
        return readOnlyCells.count({col, row}) != 0 || TTavikCustomGrid::QueryReadOnly(col, row);
    }
    int MergeId(int col, int row) override
    {
        auto it = mergeIds.find({col, row});
        return it == mergeIds.end() ? 0 : it->second;
    }
    TRowStyle RowStyle(int row) override
    {
        auto it = rowStyles.find(row);
        return it == rowStyles.end() ? rsNormal : it->second;
    }
    bool IsTree() override { return !levels.empty(); }
    uint8_t RowLevel(int row) override
    {
        auto it = levels.find(row);
        return it == levels.end() ? 0 : static_cast<uint8_t>(it->second);
    }
    void SetRowExpanded(int row, bool value) override { expanded.push_back({row, value}); }
    void ShowEditor(QChar ch) override
    {
        editorCalls.push_back("show " + std::to_string(ch.unicode()));
        GridTestAccess::PlaceEditorMode(*this, true);
    }
    void HideEditor() override
    {
        if (EditorMode())
            editorCalls.push_back("hide");
        GridTestAccess::PlaceEditorMode(*this, false);
    }
    void CancelEditor() override
    {
        editorCalls.push_back("cancel");
        GridTestAccess::PlaceEditorMode(*this, false);
    }
    void HideEdit() override { editorCalls.push_back("hide window"); }
    void PostCharToEditor(QChar ch) override { editorCalls.push_back("post " + std::to_string(ch.unicode())); }
    bool CanHideEditor() override { return canHide; }
    bool QueryColSizing(int index, const TPoint&) override { return !refuseColSizing; }
    // A destination the end-of-move hooks put in place of the mouse's (-99: none).
    int endMoveTo = -99;
    bool EndRowDrag(int&, int& to, const TPoint&) override
    {
        if (endMoveTo != -99)
            to = endMoveTo;
        return !refuseRowEnd;
    }
    bool EndColumnDrag(int&, int& to, const TPoint&) override
    {
        if (endMoveTo != -99)
            to = endMoveTo;
        return true;
    }
    void RowMoved(int from, int to) override { movedRows.push_back({from, to}); }
    void ColumnMoved(int from, int to) override { movedCols.push_back({from, to}); }

    // Drawing straight on the surface needs a picture that is up to date.
    const QImage& Picture()
    {
        Update();
        return *Surface();
    }
};

// Presses and releases as the window layer delivers them.
inline void Click(TTavikCustomGrid& g, int x, int y, TShiftState shift = 0)
{
    g.MouseDown(mbLeft, shift | ssLeft, x, y);
    g.MouseUp(mbLeft, shift, x, y);
}

inline void Key(TTavikCustomGrid& g, Word key, TShiftState shift = 0)
{
    g.KeyDown(key, shift);
}

// The centre of a cell in the present view.
inline TPoint CellCentre(TTavikCustomGrid& g, int col, int row)
{
    const TRect r = g.CellBounds(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Each test gets a fresh grid, shown and painted once.
class InputGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<InputTestGrid>(nullptr);
        grid->Widget();
        grid->Update();
    }
    std::unique_ptr<InputTestGrid> grid;
};
