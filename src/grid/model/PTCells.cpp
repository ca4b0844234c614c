#include "grid/model/PTCells.h"

#include "grid/model/PTRow.h"

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
    return std::make_unique<TPTCell>(this);
}
