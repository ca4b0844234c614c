#include "grid/core/TavikCustomGrid.h"

void TTavikCustomGrid::SetColCount(int value)
{
    if (value <= 0)
        value = 1;
    if (value == colCount_)
        return;
    CheckGridCellCount(value, false);
    const TGridCoord previous = current_;
    if (fixedCols_ >= value)
        SetFixedCols(value - 1);
    ChangeSize(value, rowCount_);
    ReseatPosition(previous);
}

void TTavikCustomGrid::SetRowCount(int value)
{
    if (value <= 0)
        value = 1;
    if (value == rowCount_)
        return;
    CheckGridCellCount(value, true);
    const TGridCoord previous = current_;
    if (value < fixedRows_)
        SetFixedRows(value);
    ChangeSize(colCount_, value);
    ReseatPosition(previous);
}

void TTavikCustomGrid::ChangeSize(int newColCount, int newRowCount)
{
    newColCount = std::max(newColCount, 1);
    newRowCount = std::max(newRowCount, 1);
    CheckGridCellCount(newColCount, false);
    CheckGridCellCount(newRowCount, true);
    const int oldCols = colCount_;
    const int oldRows = rowCount_;
    const int oldFixedCols = fixedCols_;
    const int oldFixedRows = fixedRows_;
    const int oldFixedEditCols = fixedEditCols_;
    const int oldFixedEditRows = fixedEditRows_;
    // Shrinking drops entries that putting the old count back would not restore.
    const TGridExtents oldWidths = colWidths_;
    const TGridExtents oldHeights = rowHeights_;
    const TGridExtents oldTabStops = tabStops_;
    const TGridCoord oldCurrent = current_;
    const TGridCoord oldAnchor = anchor_;
    const TGridCoord oldTopLeft = topLeft_;
    TGridLayout oldLayout;
    const bool hadWindow = HasWindow();
    if (hadWindow)
        oldLayout = ComputeLayout();
    try {
        colCount_ = newColCount;
        rowCount_ = newRowCount;
        // The fixed columns always leave one column to scroll; rows may be all fixed.
        if (colCount_ <= fixedCols_)
            fixedCols_ = colCount_ - 1;
        if (rowCount_ < fixedRows_)
            fixedRows_ = rowCount_;
        fixedEditCols_ = std::min(fixedEditCols_, fixedCols_);
        fixedEditRows_ = std::min(fixedEditRows_, fixedRows_);
        SizeChanging(oldCols, oldRows);
        ResizeUpdate(oldCols, oldRows, hadWindow ? &oldLayout : nullptr);
        selections_->SetRange(SelectionRect(), true);
    } catch (...) {
        colCount_ = oldCols;
        rowCount_ = oldRows;
        fixedCols_ = oldFixedCols;
        fixedRows_ = oldFixedRows;
        fixedEditCols_ = oldFixedEditCols;
        fixedEditRows_ = oldFixedEditRows;
        colWidths_ = oldWidths;
        rowHeights_ = oldHeights;
        tabStops_ = oldTabStops;
        current_ = oldCurrent;
        anchor_ = oldAnchor;
        topLeft_ = oldTopLeft;
        selections_->SetRange(SelectionRect(), true);
        UpdateScrollRange();
        Invalidate();
        throw;
    }
}

TGridCoord TTavikCustomGrid::ClampToVisibleCell(TGridCoord c)
{
    if (c.Y >= rowCount_) {
        c.Y = rowCount_ - 1;
        while (c.Y > 0 && GetRowHeight(c.Y) == 0)
            --c.Y;
    }
    if (c.X >= colCount_) {
        c.X = colCount_ - 1;
        while (c.X > 0 && ColWidths(c.X) == 0)
            --c.X;
    }
    return c;
}

void TTavikCustomGrid::ResizeUpdate(int oldColCount, int oldRowCount, const TGridLayout* oldLayout)
{
    if (colWidths_.HasBlock())
        colWidths_.Resize(colCount_, defaultColWidth_);
    if (tabStops_.HasBlock())
        tabStops_.Resize(colCount_, 1);
    if (rowHeights_.HasBlock())
        rowHeights_.Resize(rowCount_, defaultRowHeight_);

    const TGridCoord oldTopLeft = topLeft_;
    const TGridCoord cur = ClampToVisibleCell(current_);
    if (!(cur == current_)) {
        MoveCurrent(cur.X, cur.Y, true, false, true, true);
        if (current_.X >= colCount_ || current_.Y >= rowCount_) {
            // The move was refused (a read-only cell, OnSelectCell), yet the
            // current cell cannot stay outside the grid.
            current_ = anchor_ = cur;
            if (HasOption(goRowSelect))
                anchor_.X = colCount_ - 1;
            MakeCellVisible(current_);
            selections_->SetRange(SelectionRect(), true);
            Invalidate();
        }
    } else {
        const TGridCoord anchor = ClampToVisibleCell(anchor_);
        if (!(anchor == anchor_))
            selections_->ExtendSelection(anchor);
    }

    if (repaintAllOnResize_ || !(topLeft_ == oldTopLeft)) {
        Invalidate();
    } else if (HasWindow()) {
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
    topLeft_ = {fixedCols_, fixedRows_};
    current_ = {std::min(topLeft_.X, colCount_ - 1), std::min(topLeft_.Y, rowCount_ - 1)};
    anchor_ = current_;
    selections_->SetRange(GridRect(current_, current_), true);
    if (HasOption(goRowSelect))
        anchor_.X = colCount_ - 1;
}

void TTavikCustomGrid::ReseatPosition(TGridCoord previous)
{
    if (topLeft_.X >= colCount_ || topLeft_.X < fixedCols_ - fixedEditCols_)
        topLeft_.X = fixedCols_;
    if (topLeft_.Y >= rowCount_ || topLeft_.Y < fixedRows_ - fixedEditRows_)
        topLeft_.Y = fixedRows_;
    current_ = {std::min(topLeft_.X, colCount_ - 1), std::min(topLeft_.Y, rowCount_ - 1)};
    anchor_ = current_;
    if (HasOption(goRowSelect))
        anchor_.X = colCount_ - 1;
    selections_->SetRange(GridRect(current_, current_), true);
    SetCurrentRow(std::min(previous.Y, rowCount_ - 1));
    SetCurrentCol(std::min(previous.X, colCount_ - 1));
}
