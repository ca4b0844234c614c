#include "grid/model/PTCells.h"

#include "grid/model/PTRow.h"
#include "grid/model/PTRows.h"

TPTCells::~TPTCells()
{
    // The cells reach the grid through this collection to say goodbye.
    DestroyItems();
}

TPTRows* TPTCells::Rows() const
{
    return row_ ? row_->Rows() : nullptr;
}

IPTGridOwner* TPTCells::Grid() const
{
    return row_ ? row_->Grid() : nullptr;
}

std::unique_ptr<TCollectionItem> TPTCells::CreateItem()
{
    // A grid's rows hold one cell per column: a row's first cell makes room for
    // as many as the row before holds, so that the list is allocated once.
    if (Count() == 0 && row_)
        if (TPTRows* rows = row_->Rows(); rows && row_->Index() > 0)
            Reserve(rows->Items(row_->Index() - 1)->Cells()->Count());
    return std::make_unique<TPTCell>(this);
}
