#include "grid/core/TavikCustomGrid.h"

#include <algorithm>

namespace {

// Where an index lands when the entry at from is taken out and put back at to.
int FollowMove(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

void CheckIndex(int index, int count)
{
    if (index < 0 || index >= count)
        throw EGridException(grid_errors::IndexOutOfRange);
}

// Opens (amount > 0) or closes (amount < 0) a gap at index, so that every
// other entry stays with its row or column.
void ShiftEntries(TGridExtents& extents, int index, int amount, int def)
{
    if (!extents.HasBlock())
        return;
    const int count = extents.Count();
    index = std::min(index, count);
    if (amount > 0) {
        extents.Resize(count + amount, def);
        for (int i = count - 1; i >= index; --i)
            extents.Set(i + amount, extents.Get(i, def));
        for (int i = index; i < index + amount; ++i)
            extents.Set(i, def);
    } else {
        const int removed = std::min(-amount, count - index);
        for (int i = index; i + removed < count; ++i)
            extents.Set(i, extents.Get(i + removed, def));
        extents.Resize(count - removed, def);
    }
}

} // namespace

void TTavikCustomGrid::DeleteCol(int col)
{
    CheckIndex(col, colCount_);
    MoveColumn(col, colCount_ - 1);
    SetColCount(colCount_ - 1);
}

void TTavikCustomGrid::DeleteRow(int row)
{
    if (row == -1)
        row = current_.Y;
    CheckIndex(row, rowCount_);
    if (row < fixedRows_)
        return;
    MoveRow(row, rowCount_ - 1);
    SetRowCount(rowCount_ - 1);
    SetCurrentRow(row);
    Invalidate();
}

void TTavikCustomGrid::InsertRow(int row)
{
    if (row == -1)
        row = current_.Y;
    // One past the last row appends.
    CheckIndex(row, rowCount_ + 1);
    SetRowCount(rowCount_ + 1);
    MoveRow(rowCount_ - 1, row);
    // A head row cannot be the current one.
    SetCurrentRow(row >= fixedRows_ ? row : rowCount_ - 1);
    Invalidate();
}

void TTavikCustomGrid::AdjustSize(int index, int amount, bool rows)
{
    if (amount == 0)
        return;
    const int count = rows ? rowCount_ : colCount_;
    if (index < 0 || index > count)
        throw EGridException(grid_errors::IndexOutOfRange);
    const int64_t newCount = static_cast<int64_t>(count) + amount;
    // A grid always keeps one row and one column.
    if (newCount < index || newCount < 1)
        throw EGridException(grid_errors::TooManyDeleted);
    CheckGridCellCount(newCount, rows);

    const int oldCols = colCount_;
    const int oldRows = rowCount_;
    const bool hadWindow = HasWindow();
    TGridLayout before;
    if (hadWindow)
        before = ComputeLayout();
    const TGridAxisLayout& axis = rows ? before.Vert : before.Horz;

    // Pixels the cells after the change travel: the removed cells' extents,
    // or room for the new ones at the default extent.
    int movement = 0;
    if (hadWindow) {
        if (amount > 0) {
            const int def = rows ? defaultRowHeight_ : defaultColWidth_;
            movement = def > 0 ? amount * (def + axis.EffectiveLineWidth) : 0;
        } else {
            for (int i = index; i < index - amount; ++i)
                movement -= axis.Step(i);
        }
    }

    TGridCoord cur = current_;
    int& shifted = rows ? cur.Y : cur.X;
    if (shifted >= index) {
        if (amount < 0 && shifted < index - amount)
            shifted = index;
        else
            shifted += amount;
    }

    if (rows) {
        ShiftEntries(rowHeights_, index, amount, defaultRowHeight_);
        rowCount_ = static_cast<int>(newCount);
        fixedRows_ = std::min(fixedRows_, rowCount_);
        fixedEditRows_ = std::min(fixedEditRows_, fixedRows_);
    } else {
        ShiftEntries(colWidths_, index, amount, defaultColWidth_);
        ShiftEntries(tabStops_, index, amount, 1);
        colCount_ = static_cast<int>(newCount);
        fixedCols_ = std::min(fixedCols_, colCount_ - 1);
        fixedEditCols_ = std::min(fixedEditCols_, fixedCols_);
    }

    bool repaintAll = false;
    if (topLeft_.X >= colCount_) {
        topLeft_.X = fixedCols_;
        repaintAll = true;
    }
    if (topLeft_.Y >= rowCount_) {
        topLeft_.Y = fixedRows_;
        repaintAll = true;
    }

    if (hadWindow) {
        if (repaintAll || (index >= axis.FixedCellCount && index < axis.FirstGridCell)) {
            // The change lies above or left of the view: every cell in view is renumbered.
            Invalidate();
        } else if (index <= axis.LastFullVisibleCell + 1 && movement != 0) {
            const int pos = axis.LinePos(index);
            if (pos == 0 && index != 0) {
                Invalidate();
            } else {
                const TRect area = rows ? TRect{0, pos, Width(), Height()} : TRect{pos, 0, Width(), Height()};
                ScrollSurface(rows ? 0 : movement, rows ? movement : 0, area, area);
            }
        }
    }

    // Keep the current cell and anchor usable even when the move below is refused.
    current_ = {std::clamp(current_.X, 0, colCount_ - 1), std::clamp(current_.Y, 0, rowCount_ - 1)};
    anchor_ = {std::clamp(anchor_.X, 0, colCount_ - 1), std::clamp(anchor_.Y, 0, rowCount_ - 1)};
    cur = {std::clamp(cur.X, 0, colCount_ - 1), std::clamp(cur.Y, 0, rowCount_ - 1)};
    UpdateScrollRange();
    SizeChanged(oldCols, oldRows);
    if (!(cur == current_))
        MoveCurrent(cur.X, cur.Y, true, false, true, true);
    selections_->SetRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetRowCountKeepView(int value)
{
    const TGridCoord oldTopLeft = topLeft_;
    const TGridCoord oldCurrent = current_;
    SetRowCount(value);
    const int col = std::max(oldTopLeft.X, fixedCols_);
    const int row = oldTopLeft.Y < fixedRows_ ? fixedRows_ : std::min(oldTopLeft.Y, rowCount_ - 1);
    SetTopLeft(col, row);
    SetCurrentRow(std::min(oldCurrent.Y, rowCount_ - 1));
    SetCurrentCol(std::min(oldCurrent.X, colCount_ - 1));
}

void TTavikCustomGrid::MoveColumn(int from, int to)
{
    CheckIndex(from, colCount_);
    CheckIndex(to, colCount_);
    if (from == to)
        return;
    const bool hasWidths = colWidths_.HasBlock();
    if (hasWidths)
        colWidths_.MoveEntry(from, to);
    // Tab stops are kept apart from the widths and may exist without them.
    if (tabStops_.HasBlock())
        tabStops_.MoveEntry(from, to);
    current_.X = FollowMove(current_.X, from, to);
    anchor_.X = FollowMove(anchor_.X, from, to);
    editCol_ = FollowMove(editCol_, from, to);
    // A selected row spans all its columns, whichever of them moved.
    if (HasOption(goRowSelect)) {
        current_.X = fixedCols_;
        anchor_.X = colCount_ - 1;
    }
    selections_->SetRange(SelectionRect(), true);
    Invalidate();
    ColumnMoved(from, to);
    if (hasWidths)
        ColWidthsChanged();
    UpdateEdit();
}

void TTavikCustomGrid::MoveRow(int from, int to)
{
    CheckIndex(from, rowCount_);
    CheckIndex(to, rowCount_);
    if (from == to)
        return;
    const bool hasHeights = rowHeights_.HasBlock();
    if (hasHeights)
        rowHeights_.MoveEntry(from, to);
    current_.Y = FollowMove(current_.Y, from, to);
    anchor_.Y = FollowMove(anchor_.Y, from, to);
    editRow_ = FollowMove(editRow_, from, to);
    selections_->SetRange(SelectionRect(), true);
    RowMoved(from, to);
    if (hasHeights)
        RowHeightsChanged();
    UpdateEdit();
}
