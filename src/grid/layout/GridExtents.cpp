#include "grid/layout/GridExtents.h"

#include <algorithm>

#include "grid/layout/GridTypes.h"

void TGridExtents::Modify(int index, int amount, int def)
{
    if (amount == 0)
        return;
    const int64_t old = Count();
    if (index < 0 || index > old)
        throw EGridException(grid_errors::IndexOutOfRange);
    const int64_t count = old + amount;
    if (count < 0)
        throw EGridException(grid_errors::TooManyDeleted);
    if (count >= MaxCount)
        throw EGridException(grid_errors::TooLarge);
    if (count == 0) {
        Clear();
        return;
    }
    block_.resize(static_cast<size_t>(count) + 1);
    if (count > index)
        std::fill(block_.begin() + index + 1, block_.end(), def);
    block_[0] = static_cast<int32_t>(count);
}

int TGridExtents::NextPositive(int from, int end, int def) const
{
    from = std::max(from, 0);
    const int inBlock = std::min(end, Count());
    for (int i = from; i < inBlock; ++i)
        if (block_[static_cast<size_t>(i) + 1] > 0)
            return i;
    from = std::max(from, Count());
    return def > 0 && from < end ? from : std::max(end, 0);
}

int TGridExtents::PrevPositive(int from, int stop, int def) const
{
    stop = std::max(stop, 0);
    if (from < stop)
        return stop - 1;
    if (from >= Count()) {
        if (def > 0)
            return from;
        from = Count() - 1;
    }
    for (int i = from; i >= stop; --i)
        if (block_[static_cast<size_t>(i) + 1] > 0)
            return i;
    return stop - 1;
}

void TGridExtents::EnsureBlock(int count, int def)
{
    if (HasBlock() || count <= 0)
        return;
    Modify(0, count, def);
}

void TGridExtents::MoveEntry(int from, int to)
{
    const int n = Count();
    if (from < 0 || to < 0 || from >= n || to >= n)
        throw EGridException(grid_errors::IndexOutOfRange);
    auto first = block_.begin() + 1;
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else if (from > to)
        std::rotate(first + to, first + from, first + from + 1);
}
