#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

// The cell brought inside the counts, moved back over hidden rows and columns.
TGridCoord ClampToVisibleCell(const TTavikCustomGrid& grid, TGridCoord c)
{
    if (c.Y >= grid.RowCount()) {
        c.Y = grid.RowCount() - 1;
        while (c.Y > 0 && grid.GetRowHeight(c.Y) == 0)
            --c.Y;
    }
    if (c.X >= grid.ColCount()) {
        c.X = grid.ColCount() - 1;
        while (c.X > 0 && grid.ColWidths(c.X) == 0)
            --c.X;
    }
    return c;
}

} // namespace

void TTavikCustomGrid::SetColCount(int value)
{
    if (value <= 0)
        value = 1;
    if (value == d_->colCount)
        return;
    CheckGridCellCount(value, false);
    const TGridCoord previous = d_->current;
    if (d_->fixedCols >= value)
        SetFixedCols(value - 1);
    ChangeSize(value, d_->rowCount);
    ReseatPosition(previous);
}

void TTavikCustomGrid::SetRowCount(int value)
{
    if (value <= 0)
        value = 1;
    if (value == d_->rowCount)
        return;
    CheckGridCellCount(value, true);
    const TGridCoord previous = d_->current;
    if (value < d_->fixedRows)
        SetFixedRows(value);
    ChangeSize(d_->colCount, value);
    ReseatPosition(previous);
}

void TTavikCustomGrid::ChangeSize(int newColCount, int newRowCount)
{
    newColCount = std::max(newColCount, 1);
    newRowCount = std::max(newRowCount, 1);
    CheckGridCellCount(newColCount, false);
    CheckGridCellCount(newRowCount, true);
    const int oldCols = d_->colCount;
    const int oldRows = d_->rowCount;
    const int oldFixedCols = d_->fixedCols;
    const int oldFixedRows = d_->fixedRows;
    const int oldFixedEditCols = d_->fixedEditCols;
    const int oldFixedEditRows = d_->fixedEditRows;
    // Shrinking drops entries that putting the old count back would not restore.
    const TGridExtents oldWidths = d_->colWidths;
    const TGridExtents oldHeights = d_->rowHeights;
    const TGridExtents oldTabStops = d_->tabStops;
    const TGridCoord oldCurrent = d_->current;
    const TGridCoord oldAnchor = d_->anchor;
    const TGridCoord oldTopLeft = d_->topLeft;
    TGridLayout oldLayout;
    const bool hadWindow = HasWidget();
    if (hadWindow)
        oldLayout = ComputeLayout();
    try {
        d_->colCount = newColCount;
        d_->rowCount = newRowCount;
        // The fixed columns always leave one column to scroll; rows may be all fixed.
        if (d_->colCount <= d_->fixedCols)
            d_->fixedCols = d_->colCount - 1;
        if (d_->rowCount < d_->fixedRows)
            d_->fixedRows = d_->rowCount;
        d_->fixedEditCols = std::min(d_->fixedEditCols, d_->fixedCols);
        d_->fixedEditRows = std::min(d_->fixedEditRows, d_->fixedRows);
        SizeChanging(oldCols, oldRows);
        ResizeUpdate(oldCols, oldRows, hadWindow ? &oldLayout : nullptr);
        d_->selections->SetRange(SelectionRect(), true);
    } catch (...) {
        d_->colCount = oldCols;
        d_->rowCount = oldRows;
        d_->fixedCols = oldFixedCols;
        d_->fixedRows = oldFixedRows;
        d_->fixedEditCols = oldFixedEditCols;
        d_->fixedEditRows = oldFixedEditRows;
        d_->colWidths = oldWidths;
        d_->rowHeights = oldHeights;
        d_->tabStops = oldTabStops;
        d_->current = oldCurrent;
        d_->anchor = oldAnchor;
        d_->topLeft = oldTopLeft;
        d_->selections->SetRange(SelectionRect(), true);
        UpdateScrollRange();
        Invalidate();
        throw;
    }
}

void TTavikCustomGrid::ResizeUpdate(int oldColCount, int oldRowCount, const TGridLayout* oldLayout)
{
    if (d_->colWidths.HasBlock())
        d_->colWidths.Resize(d_->colCount, d_->defaultColWidth);
    if (d_->tabStops.HasBlock())
        d_->tabStops.Resize(d_->colCount, 1);
    if (d_->rowHeights.HasBlock())
        d_->rowHeights.Resize(d_->rowCount, d_->defaultRowHeight);

    const TGridCoord oldTopLeft = d_->topLeft;
    const TGridCoord cur = ClampToVisibleCell(*this, d_->current);
    if (!(cur == d_->current)) {
        MoveCurrent(cur.X, cur.Y, true, false, true, true);
        if (d_->current.X >= d_->colCount || d_->current.Y >= d_->rowCount) {
            // The move was refused (a read-only cell, OnSelectCell), yet the
            // current cell cannot stay outside the grid.
            d_->current = d_->anchor = cur;
            if (HasOption(goRowSelect))
                d_->anchor.X = d_->colCount - 1;
            MakeCellVisible(d_->current);
            d_->selections->SetRange(SelectionRect(), true);
            Invalidate();
        }
    } else {
        const TGridCoord anchor = ClampToVisibleCell(*this, d_->anchor);
        if (!(anchor == d_->anchor))
            d_->selections->ExtendSelection(anchor);
    }

    if (d_->repaintAllOnResize || !(d_->topLeft == oldTopLeft)) {
        Invalidate();
    } else if (HasWidget()) {
        const TGridLayout now = ComputeLayout();
        int col = now.Horz.LastFullVisibleCell;
        int row = now.Vert.LastFullVisibleCell;
        if (oldLayout) {
            col = std::min(col, oldLayout->Horz.LastFullVisibleCell);
            row = std::min(row, oldLayout->Vert.LastFullVisibleCell);
        }
        const int x = col < now.Horz.GridCellCount ? now.Horz.LinePos(col) : now.Horz.GridBoundary;
        const int y = row < now.Vert.GridCellCount ? now.Vert.LinePos(row) : now.Vert.GridBoundary;
        InvalidateRect({x, 0, Width(), Height()});
        InvalidateRect({0, y, Width(), Height()});
    }
    UpdateScrollRange();
    SizeChanged(oldColCount, oldRowCount);
}

void TTavikCustomGrid::ResetPosition()
{
    d_->topLeft = {d_->fixedCols, d_->fixedRows};
    d_->current = {std::min(d_->topLeft.X, d_->colCount - 1), std::min(d_->topLeft.Y, d_->rowCount - 1)};
    d_->anchor = d_->current;
    d_->selections->SetRange(GridRect(d_->current, d_->current), true);
    if (HasOption(goRowSelect))
        d_->anchor.X = d_->colCount - 1;
}

void TTavikCustomGrid::ReseatPosition(TGridCoord previous)
{
    if (d_->topLeft.X >= d_->colCount || d_->topLeft.X < d_->fixedCols - d_->fixedEditCols)
        d_->topLeft.X = d_->fixedCols;
    if (d_->topLeft.Y >= d_->rowCount || d_->topLeft.Y < d_->fixedRows - d_->fixedEditRows)
        d_->topLeft.Y = d_->fixedRows;
    d_->current = {std::min(d_->topLeft.X, d_->colCount - 1), std::min(d_->topLeft.Y, d_->rowCount - 1)};
    d_->anchor = d_->current;
    if (HasOption(goRowSelect))
        d_->anchor.X = d_->colCount - 1;
    d_->selections->SetRange(GridRect(d_->current, d_->current), true);
    SetCurrentRow(std::min(previous.Y, d_->rowCount - 1));
    SetCurrentCol(std::min(previous.X, d_->colCount - 1));
}
