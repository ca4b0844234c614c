#include "grid/model/PTRow.h"

#include <unordered_map>

#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"
#include "grid/model/PTSlabPool.h"
#include "platform/base/AppContext.h"

struct TPTRowExtra {
    int32_t data = 0;
    int32_t savedHeight = 0;
};

namespace {

// The pool also keeps its rows' rare fields, keyed by row, as the cells' pool
// does for theirs: a grid's rows are many and few have any.
using RowExtras = std::unordered_map<const TPTRow*, TPTRowExtra>;
using RowPool = TPTSlabPool<sizeof(TPTRow), RowExtras>;

RowExtras& RowExtrasTable(const TPTRow* row)
{
    return RowPool::Owner(row)->side;
}

// What the PT rows keep in the application context.
struct RowState {
    RowPool* pool = new RowPool;
    RowState() = default;
    RowState(const RowState&) = delete;
    RowState& operator=(const RowState&) = delete;
    ~RowState() { pool->Abandon(); }
};

} // namespace

static_assert(sizeof(TPTRow) <= 48, "a row is its base, its flags and its cells");

void* TPTRow::operator new(std::size_t)
{
    return AppContext().State<RowState>().pool->Allocate();
}

void TPTRow::operator delete(void* p, std::size_t)
{
    if (p)
        RowPool::Owner(p)->Release(p);
}

TPTRow::TPTRow(TPTRows* rows) : TCollectionItem(rows) {}

TPTRow::~TPTRow()
{
    // Cells leave first, while the row still leads them to the grid.
    cells_.Clear();
    if (hasExtras_)
        RowExtrasTable(this).erase(this);
}

TPTRow* TPTRow::OfCells(const TPTCells* cells)
{
    // The row has no virtual base, so its cells sit at one fixed place in it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
    constexpr std::size_t kCellsAt = offsetof(TPTRow, cells_);
#pragma GCC diagnostic pop
    return reinterpret_cast<TPTRow*>(reinterpret_cast<uintptr_t>(cells) - kCellsAt);
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
        SetData(src->Data());
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

const TPTRowExtra* TPTRow::Rare() const
{
    if (!hasExtras_)
        return nullptr;
    const RowExtras& table = RowExtrasTable(this);
    auto it = table.find(this);
    return it == table.end() ? nullptr : &it->second;
}

TPTRowExtra& TPTRow::Extras()
{
    hasExtras_ = true;
    return RowExtrasTable(this)[this];
}

void TPTRow::DropExtrasIfDefault()
{
    const TPTRowExtra* extra = Rare();
    if (extra && extra->data == 0 && extra->savedHeight == 0) {
        RowExtrasTable(this).erase(this);
        hasExtras_ = false;
    }
}

int32_t TPTRow::Data() const
{
    const TPTRowExtra* extra = Rare();
    return extra ? extra->data : 0;
}

void TPTRow::SetData(int32_t data)
{
    if (data == Data())
        return;
    Extras().data = data;
    DropExtrasIfDefault();
}

int32_t TPTRow::SavedHeight() const
{
    const TPTRowExtra* extra = Rare();
    return extra ? extra->savedHeight : 0;
}

void TPTRow::SetSavedHeight(int32_t height)
{
    if (height == SavedHeight())
        return;
    Extras().savedHeight = height;
    DropExtrasIfDefault();
}
