#include "grid/GridExtents.h"

#include <algorithm>

#include "grid/GridTypes.h"

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
