#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
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
    CheckIndex(col, d_->colCount);
    MoveColumn(col, d_->colCount - 1);
    SetColCount(d_->colCount - 1);
}

void TTavikCustomGrid::DeleteRow(int row)
{
    if (row == -1)
        row = d_->current.Y;
    CheckIndex(row, d_->rowCount);
    if (row < d_->fixedRows)
        return;
    MoveRow(row, d_->rowCount - 1);
    SetRowCount(d_->rowCount - 1);
    SetCurrentRow(row);
    Invalidate();
}

void TTavikCustomGrid::InsertRow(int row)
{
    if (row == -1)
        row = d_->current.Y;
    // One past the last row appends.
    CheckIndex(row, d_->rowCount + 1);
    SetRowCount(d_->rowCount + 1);
    MoveRow(d_->rowCount - 1, row);
    // A head row cannot be the current one.
    SetCurrentRow(row >= d_->fixedRows ? row : d_->rowCount - 1);
    Invalidate();
}

void TTavikCustomGrid::AdjustSize(int index, int amount, bool rows)
{
    if (amount == 0)
        return;
    const int count = rows ? d_->rowCount : d_->colCount;
    if (index < 0 || index > count)
        throw EGridException(grid_errors::IndexOutOfRange);
    const int64_t newCount = static_cast<int64_t>(count) + amount;
    // A grid always keeps one row and one column.
    if (newCount < index || newCount < 1)
        throw EGridException(grid_errors::TooManyDeleted);
    CheckGridCellCount(newCount, rows);

    const int oldCols = d_->colCount;
    const int oldRows = d_->rowCount;
    const bool hadWindow = HasWidget();
    TGridLayout before;
    if (hadWindow)
        before = ComputeLayout();
    const TGridAxisLayout& axis = rows ? before.Vert : before.Horz;

    // Pixels the cells after the change travel: the removed cells' extents,
    // or room for the new ones at the default extent.
    int movement = 0;
    if (hadWindow) {
        if (amount > 0) {
            const int def = rows ? d_->defaultRowHeight : d_->defaultColWidth;
            movement = def > 0 ? amount * (def + axis.EffectiveLineWidth) : 0;
        } else {
            for (int i = index; i < index - amount; ++i)
                movement -= axis.Step(i);
        }
    }

    TGridCoord cur = d_->current;
    int& shifted = rows ? cur.Y : cur.X;
    if (shifted >= index) {
        if (amount < 0 && shifted < index - amount)
            shifted = index;
        else
            shifted += amount;
    }

    if (rows) {
        ShiftEntries(d_->rowHeights, index, amount, d_->defaultRowHeight);
        d_->rowCount = static_cast<int>(newCount);
        d_->fixedRows = std::min(d_->fixedRows, d_->rowCount);
        d_->fixedEditRows = std::min(d_->fixedEditRows, d_->fixedRows);
    } else {
        ShiftEntries(d_->colWidths, index, amount, d_->defaultColWidth);
        ShiftEntries(d_->tabStops, index, amount, 1);
        d_->colCount = static_cast<int>(newCount);
        d_->fixedCols = std::min(d_->fixedCols, d_->colCount - 1);
        d_->fixedEditCols = std::min(d_->fixedEditCols, d_->fixedCols);
    }

    bool repaintAll = false;
    if (d_->topLeft.X >= d_->colCount) {
        d_->topLeft.X = d_->fixedCols;
        repaintAll = true;
    }
    if (d_->topLeft.Y >= d_->rowCount) {
        d_->topLeft.Y = d_->fixedRows;
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
    d_->current = {std::clamp(d_->current.X, 0, d_->colCount - 1), std::clamp(d_->current.Y, 0, d_->rowCount - 1)};
    d_->anchor = {std::clamp(d_->anchor.X, 0, d_->colCount - 1), std::clamp(d_->anchor.Y, 0, d_->rowCount - 1)};
    cur = {std::clamp(cur.X, 0, d_->colCount - 1), std::clamp(cur.Y, 0, d_->rowCount - 1)};
    UpdateScrollRange();
    SizeChanged(oldCols, oldRows);
    if (!(cur == d_->current))
        MoveCurrent(cur.X, cur.Y, true, false, true, true);
    d_->selections->SetRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetRowCountKeepView(int value)
{
    const TGridCoord oldTopLeft = d_->topLeft;
    const TGridCoord oldCurrent = d_->current;
    SetRowCount(value);
    const int col = std::max(oldTopLeft.X, d_->fixedCols);
    const int row = oldTopLeft.Y < d_->fixedRows ? d_->fixedRows : std::min(oldTopLeft.Y, d_->rowCount - 1);
    SetTopLeft(col, row);
    SetCurrentRow(std::min(oldCurrent.Y, d_->rowCount - 1));
    SetCurrentCol(std::min(oldCurrent.X, d_->colCount - 1));
}

void TTavikCustomGrid::MoveColumn(int from, int to)
{
    CheckIndex(from, d_->colCount);
    CheckIndex(to, d_->colCount);
    if (from == to)
        return;
    const bool hasWidths = d_->colWidths.HasBlock();
    if (hasWidths)
        d_->colWidths.MoveEntry(from, to);
    // Tab stops are kept apart from the widths and may exist without them.
    if (d_->tabStops.HasBlock())
        d_->tabStops.MoveEntry(from, to);
    d_->current.X = FollowMove(d_->current.X, from, to);
    d_->anchor.X = FollowMove(d_->anchor.X, from, to);
    d_->editing->PlaceEditCell(FollowMove(d_->editing->EditCol(), from, to), d_->editing->EditRow());
    // A selected row spans all its columns, whichever of them moved.
    if (HasOption(goRowSelect)) {
        d_->current.X = d_->fixedCols;
        d_->anchor.X = d_->colCount - 1;
    }
    d_->selections->SetRange(SelectionRect(), true);
    Invalidate();
    ColumnMoved(from, to);
    if (hasWidths)
        ColWidthsChanged();
    UpdateEdit();
}

void TTavikCustomGrid::MoveRow(int from, int to)
{
    CheckIndex(from, d_->rowCount);
    CheckIndex(to, d_->rowCount);
    if (from == to)
        return;
    const bool hasHeights = d_->rowHeights.HasBlock();
    if (hasHeights)
        d_->rowHeights.MoveEntry(from, to);
    d_->current.Y = FollowMove(d_->current.Y, from, to);
    d_->anchor.Y = FollowMove(d_->anchor.Y, from, to);
    d_->editing->PlaceEditCell(d_->editing->EditCol(), FollowMove(d_->editing->EditRow(), from, to));
    d_->selections->SetRange(SelectionRect(), true);
    RowMoved(from, to);
    if (hasHeights)
        RowHeightsChanged();
    UpdateEdit();
}
