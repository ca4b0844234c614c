#include "grid/model/PTCells.h"

#include "grid/model/PTRow.h"
#include "grid/model/PTRows.h"

TPTCells::~TPTCells()
{
    // The cells reach the grid through this collection to say goodbye.
    DestroyItems();
}

TPTRow* TPTCells::Row() const
{
    return inRow_ ? TPTRow::OfCells(this) : nullptr;
}

TPTRows* TPTCells::Rows() const
{
    TPTRow* row = Row();
    return row ? row->Rows() : nullptr;
}

IPTGridOwner* TPTCells::Grid() const
{
    TPTRow* row = Row();
    return row ? row->Grid() : nullptr;
}

std::unique_ptr<TCollectionItem> TPTCells::CreateItem()
{
    // A grid's rows hold one cell per column: a row's first cell makes room for
    // as many as the row before holds, so that the list is allocated once.
    if (TPTRow* row = Row(); Count() == 0 && row)
        if (TPTRows* rows = row->Rows(); rows && row->Index() > 0)
            Reserve(rows->Items(row->Index() - 1)->Cells()->Count());
    return std::make_unique<TPTCell>(this);
}
