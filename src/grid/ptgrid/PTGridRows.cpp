// Rows and columns of the PT grid: the model follows the counts, moves,
// inserts and deletes of the grid.

#include "grid/ptgrid/TavikPTGrid.h"

namespace {

// Restores the current cell and anchor that a row move carried along.
class KeepPosition {
public:
    explicit KeepPosition(TTavikCustomGrid& grid)
        : grid_(grid), savedCurrent_(grid.Current()), savedAnchor_(grid.Anchor())
    {
    }
    ~KeepPosition()
    {
        grid_.PlaceCurrent(savedCurrent_);
        grid_.SetAnchor(savedAnchor_);
    }

private:
    TTavikCustomGrid& grid_;
    TGridCoord savedCurrent_;
    TGridCoord savedAnchor_;
};

} // namespace

void TTavikPTGrid::SizeChanging(int oldColCount, int oldRowCount)
{
    TTavikCustomViewGrid::SizeChanging(oldColCount, oldRowCount);
    if (rows_)
        Synchronise(ColCount(), RowCount());
}

void TTavikPTGrid::ColumnMoved(int from, int to)
{
    for (int r = 0; r < rows_->Count(); ++r) {
        TPTCells* cells = rows_->Items(r)->Cells();
        if (from < cells->Count() && to < cells->Count())
            cells->Items(from)->SetIndex(to);
    }
    TreeShapeChanged();
    Invalidate();
    TTavikCustomViewGrid::ColumnMoved(from, to);
}

void TTavikPTGrid::RowMoved(int from, int to)
{
    // Inserting and deleting borrow the row move for heights and row data.
    if (modelMoveSuppressed_)
        return;
    Synchronise(ColCount(), RowCount());
    rows_->Items(from)->SetIndex(to);
    TreeShapeChanged();
    Invalidate();
    TTavikCustomViewGrid::RowMoved(from, to);
}

void TTavikPTGrid::MoveRowKeepModel(int from, int to)
{
    KeepPosition keep(*this);
    modelMoveSuppressed_ = true;
    try {
        TTavikCustomViewGrid::MoveRow(from, to);
    } catch (...) {
        modelMoveSuppressed_ = false;
        throw;
    }
    modelMoveSuppressed_ = false;
}

void TTavikPTGrid::DeleteRow(int row)
{
    if (row == -1)
        row = CurrentRow();
    if (row < 0 || row > RowCount() - 1)
        return;
    // A grid keeps one row: refused before anything changes.
    if (RowCount() == 1)
        throw EGridException(grid_errors::TooManyDeleted);
    Synchronise(ColCount(), RowCount());
    const int last = RowCount() - 1;
    // The heights (and the view grid's row data) after the row move up by one;
    // the deleted row's entry goes to the end, which the count then drops.
    RowExtentsForUpdate().EnsureBlock(RowCount(), DefaultRowHeight());
    MoveRowKeepModel(row, last);
    rows_->Delete(row);
    // Unlike the core, the PT grid deletes head rows too.
    if (row < FixedRows()) {
        const int fixedRows = FixedRows() - 1;
        int fixedEditRows = FixedEditRows();
        if (row >= fixedRows - fixedEditRows + 1 && fixedEditRows > 0)
            --fixedEditRows;
        SetFixedRows(fixedRows);
        SetFixedEditRows(std::min(fixedEditRows, fixedRows));
    }
    SetRowCount(last);
    UpdateScrollRange();
    UpdateEdit();
    Invalidate();
}

void TTavikPTGrid::InsertRow(int row)
{
    if (row == -1)
        row = CurrentRow();
    if (row < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    row = std::min(row, RowCount());
    CheckGridCellCount(int64_t(RowCount()) + 1, true);
    Synchronise(ColCount(), RowCount());
    TPTRow* added = rows_->Insert(row);
    for (int c = 0; c < ColCount(); ++c)
        added->Cells()->Add();
    const int old = RowCount();
    {
        KeepPosition keep(*this);
        SetRowCount(old + 1);
    }
    if (row == old)
        return;
    const bool hadHeights = RowExtentsForUpdate().HasBlock();
    MoveRowKeepModel(old, row);
    if (hadHeights)
        SetRowHeight(row, DefaultRowHeight());
    TreeShapeChanged();
    UpdateScrollRange();
    UpdateEdit();
    Invalidate();
}
