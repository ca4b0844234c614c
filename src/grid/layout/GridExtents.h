#pragma once

// Per-column widths, per-row heights and tab stops: no block at all while every
// entry has its default, else one block whose element 0 is the entry count.

#include <cstddef>
#include <cstdint>
#include <vector>

class TGridExtents {
public:
    // Entries at or above this count are refused.
    static constexpr int32_t MaxCount = 134217726;

    bool HasBlock() const { return !block_.empty(); }
    int Count() const { return block_.empty() ? 0 : block_[0]; }
    // The entry, or def when there is no block or index lies beyond the count.
    int Get(int index, int def) const
    {
        return index >= 0 && index < Count() ? block_[static_cast<size_t>(index) + 1] : def;
    }
    // The first index in from..end-1 whose entry (def beyond the block) is > 0,
    // else end; past the block this is one step, whatever the count.
    int NextPositive(int from, int end, int def) const;
    // The last index in stop..from whose entry is > 0, else stop - 1.
    int PrevPositive(int from, int stop, int def) const;
    // Caller guarantees 0 <= index < Count().
    void Set(int index, int value) { block_[static_cast<size_t>(index) + 1] = value; }

    // Inserts (amount > 0) or removes (amount < 0) entries at the end side of index;
    // new entries take def. Throws EGridException on a bad index or count.
    void Modify(int index, int amount, int def);
    // Keeps entries, fills new ones with def; a count of 0 frees the block.
    void Resize(int newCount, int def) { Modify(Count(), newCount - Count(), def); }
    // Creates the block with count entries at def when there is none.
    void EnsureBlock(int count, int def);
    void Clear() { block_.clear(); block_.shrink_to_fit(); }
    // Takes entry from out and re-inserts it at to.
    void MoveEntry(int from, int to);

    friend bool Compare(const TGridExtents& a, const TGridExtents& b) { return a.block_ == b.block_; }

private:
    std::vector<int32_t> block_;
};
