// The PT grid's model binding: creation and destruction of the rows, lazy
// synchronisation with the counts, the model's notifications and copying.

#include <algorithm>

#include "grid/ptgrid/TavikPTGrid.h"

TTavikPTGrid::TTavikPTGrid(TComponent* owner) : TTavikCustomViewGrid(owner)
{
    rows_ = std::make_unique<TPTRows>(this);
    Synchronise(ColCount(), RowCount());
}

TTavikPTGrid::~TTavikPTGrid()
{
    // Cells go from the last row backwards, each row from its last cell, so
    // every destroyed-notification still sees a complete grid in front of it.
    while (rows_->Count() > 0) {
        TPTRow* row = rows_->Items(rows_->Count() - 1);
        while (row->Cells()->Count() > 0)
            row->Cells()->Delete(row->Cells()->Count() - 1);
        rows_->Delete(rows_->Count() - 1);
    }
    rows_.reset();
}

TPTCell* TTavikPTGrid::Cell(int col, int row)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return nullptr;
    if (rows_->Count() <= row || rows_->Items(row)->Cells()->Count() <= col)
        Synchronise(ColCount(), RowCount());
    TPTCells* cells = rows_->Items(row)->Cells();
    // A stored row shorter than row 0 is not repaired by synchronising.
    return col < cells->Count() ? cells->Items(col) : nullptr;
}

void TTavikPTGrid::Synchronise(int colCount, int rowCount)
{
    colCount = std::max(colCount, 0);
    rowCount = std::max(rowCount, 0);
    while (rows_->Count() > rowCount)
        rows_->Delete(rows_->Count() - 1);
    while (rows_->Count() < rowCount) {
        TPTRow* row = rows_->Add();
        for (int c = 0; c < ColCount(); ++c)
            row->Cells()->Add();
    }
    if (rows_->Count() == 0)
        return;
    int current = rows_->Items(0)->Cells()->Count();
    for (; current > colCount; --current)
        for (int r = 0; r < rows_->Count(); ++r) {
            TPTCells* cells = rows_->Items(r)->Cells();
            if (cells->Count() > 0)
                cells->Delete(cells->Count() - 1);
        }
    for (; current < colCount; ++current)
        for (int r = 0; r < rows_->Count(); ++r)
            rows_->Items(r)->Cells()->Add();
    TreeShapeChanged();
}

void TTavikPTGrid::SetRows(const TPTRows* rows)
{
    if (!rows || rows == rows_.get())
        return;
    rows_->BeginUpdate();
    rows_->Clear();
    for (int r = 0; r < rows->Count(); ++r)
        rows_->Add()->Assign(rows->Items(r));
    rows_->EndUpdate();
    TreeShapeChanged();
}

void TTavikPTGrid::SetOnCellCreated(const TPTCellEvent& handler)
{
    if (onCellCreated_)
        return;
    onCellCreated_ = handler;
    if (!onCellCreated_ || !IsLoading())
        return;
    // The cells were made while the form was read, before anyone listened.
    const int cols = ColCount();
    const int rowCount = RowCount();
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < cols; ++c)
            if (TPTCell* cell = Cell(c, r))
                onCellCreated_(this, cell);
}

void TTavikPTGrid::CellCreated(TPTCell* cell)
{
    onCellCreated_(this, cell);
}

void TTavikPTGrid::CellDestroyed(TPTCell* cell)
{
    OnCellDestroyed(this, cell);
}

void TTavikPTGrid::RowChanged(int row)
{
    RepaintRow(row);
}

void TTavikPTGrid::RowsChanged()
{
    TreeShapeChanged();
    Invalidate();
}

void TTavikPTGrid::FontChanged()
{
    TTavikCustomViewGrid::FontChanged();
    if (rows_)
        rows_->FollowGridFont();
}

void TTavikPTGrid::ColorChanged()
{
    TTavikCustomViewGrid::ColorChanged();
    if (rows_)
        rows_->FollowGridColor();
}

void TTavikPTGrid::AssignTo(TPersistent* dest) const
{
    auto* d = dynamic_cast<TTavikPTGrid*>(dest);
    if (!d)
        throw EAssertionFailed(std::string("Assertion failed: a TTavikPTGrid is assigned only to a TTavikPTGrid, ") +
                               "not to a " + (dest ? dest->ClassName() : "nil"));
    auto* self = const_cast<TTavikPTGrid*>(this);
    d->SetColor(Color());
    d->SetFixedColor(FixedColor());
    d->Font().Assign(&Font());
    d->SetColCount(ColCount());
    d->SetFixedCols(FixedCols());
    d->SetFixedEditCols(FixedEditCols());
    for (int c = 0; c < ColCount(); ++c)
        d->SetColWidths(c, ColWidths(c));
    d->SetOptions(Options());
    d->SetCellHorzMargin(CellHorzMargin());
    d->SetCellVertMargin(CellVertMargin());
    d->SetRowCount(RowCount());
    d->SetFixedRows(FixedRows());
    d->SetFixedEditRows(FixedEditRows());
    for (int r = 0; r < RowCount(); ++r)
        d->SetRowHeights(r, GetRowHeight(r));
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) {
            TPTCell* from = self->Cell(c, r);
            TPTCell* to = d->Cell(c, r);
            if (from && to)
                to->Assign(from);
        }
    d->SetTopLeft(d->FixedCols(), d->FixedRows());
    d->SetReadOnly(ReadOnly());
    d->SetLevelCol(LevelCol());
    d->Invalidate();
}
