#include "grid/model/PTRow.h"

#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"
#include "grid/model/PTSlabPool.h"
#include "platform/base/AppContext.h"

namespace {

using RowPool = TPTSlabPool<sizeof(TPTRow)>;

// What the PT rows keep in the application context.
struct RowState {
    RowPool* pool = new RowPool;
    RowState() = default;
    RowState(const RowState&) = delete;
    RowState& operator=(const RowState&) = delete;
    ~RowState() { pool->Abandon(); }
};

} // namespace

void* TPTRow::operator new(std::size_t)
{
    return AppContext().State<RowState>().pool->Allocate();
}

void TPTRow::operator delete(void* p, std::size_t)
{
    if (p)
        RowPool::Owner(p)->Release(p);
}

TPTRow::TPTRow(TPTRows* rows) : TCollectionItem(rows), cells_(this) {}

TPTRow::~TPTRow()
{
    // Cells leave first, while the row still leads them to the grid.
    cells_.Clear();
}

TPTRows* TPTRow::Rows() const
{
    return static_cast<TPTRows*>(Collection());
}

IPTGridOwner* TPTRow::Grid() const
{
    TPTRows* rows = Rows();
    return rows ? rows->Grid() : nullptr;
}

void TPTRow::Assign(const TPersistent* source)
{
    if (source == this)
        return;
    if (auto* src = dynamic_cast<const TPTRow*>(source)) {
        rowStyle_ = src->rowStyle_;
        data_ = src->data_;
        cells_.Assign(&src->cells_);
        return;
    }
    TCollectionItem::Assign(source);
}

void TPTRow::SetCells(const TPTCells* cells)
{
    cells_.Assign(cells);
}

void TPTRow::SetRowStyle(TRowStyle style)
{
    if (Exchange(rowStyle_, style))
        Changed(false);
}

void TPTRow::SetExpand(bool expand)
{
    if (expand == expand_)
        return;
    if (IPTGridOwner* grid = Grid())
        grid->ExpandCollapse(Index(), expand);
    expand_ = expand;
}
