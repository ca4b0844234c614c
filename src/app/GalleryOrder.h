#pragma once

// Which sample record sits at each position of a gallery grid: moving a
// column or row by its head moves the record with it.

#include <algorithm>
#include <numeric>
#include <vector>

class TGalleryOrder {
public:
    explicit TGalleryOrder(int count = 0) { Resize(count); }
    void Resize(int count)
    {
        order_.resize(std::max(count, 0));
        std::iota(order_.begin(), order_.end(), 0);
    }
    // The record at a position; positions beyond the list are their own record.
    int operator[](int position) const
    {
        return position >= 0 && position < static_cast<int>(order_.size()) ? order_[position] : position;
    }
    // The entry at from is taken out and put back at to, as the grid moves it.
    void Move(int from, int to)
    {
        const int n = static_cast<int>(order_.size());
        if (from < 0 || to < 0 || from >= n || to >= n || from == to)
            return;
        const int moved = order_[from];
        order_.erase(order_.begin() + from);
        order_.insert(order_.begin() + to, moved);
    }

private:
    std::vector<int> order_;
};
