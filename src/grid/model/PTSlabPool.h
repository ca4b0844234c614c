#pragma once

// Fixed-size blocks carved from slabs, so that a grid's million cells (and its
// rows) cost their own size and no allocator header. All slabs but one go back
// once no block is in use. Slabs are aligned to their size and start with their
// pool, so a block goes back to the pool it came from even after the
// application context has let that pool go: a pool let go with blocks still in
// use frees itself with its last block. Side is what the pool keeps beside its
// blocks for their owners (the cells' rare fields).
// User-interface thread only, like the grid.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <variant>
#include <vector>

template <std::size_t Block, class Side = std::monostate>
class TPTSlabPool {
public:
    TPTSlabPool() = default;
    TPTSlabPool(const TPTSlabPool&) = delete;
    TPTSlabPool& operator=(const TPTSlabPool&) = delete;
    ~TPTSlabPool()
    {
        for (void* slab : slabs_)
            std::free(slab);
    }

    static TPTSlabPool* Owner(const void* block)
    {
        const auto slab = reinterpret_cast<uintptr_t>(block) & ~uintptr_t(kSlabBytes - 1);
        return *reinterpret_cast<TPTSlabPool**>(slab);
    }

    void* Allocate()
    {
        if (!free_)
            Grow();
        void* p = free_;
        free_ = *static_cast<void**>(p);
        ++live_;
        return p;
    }

    void Release(void* p)
    {
        *static_cast<void**>(p) = free_;
        free_ = p;
        if (--live_ > 0)
            return;
        if (abandoned_)
            delete this;
        else if (slabs_.size() > 1)
            Shrink();
    }

    void Abandon()
    {
        if (live_ == 0)
            delete this;
        else
            abandoned_ = true;
    }

    Side side;

private:
    // Small enough that an aligned slab still comes from the heap, not a mapping.
    static constexpr std::size_t kSlabBytes = 32768;
    // The first block of a slab holds its pool.
    static constexpr std::size_t kPerSlab = kSlabBytes / Block - 1;
    static_assert(sizeof(TPTSlabPool*) <= Block && Block % alignof(void*) == 0);

    void Grow()
    {
        void* slab = std::aligned_alloc(kSlabBytes, kSlabBytes);
        if (!slab)
            throw std::bad_alloc();
        *static_cast<TPTSlabPool**>(slab) = this;
        slabs_.push_back(slab);
        Thread(slab);
    }

    void Thread(void* slab)
    {
        auto* bytes = static_cast<char*>(slab) + Block;
        for (std::size_t i = kPerSlab; i-- > 0;) {
            *reinterpret_cast<void**>(bytes + i * Block) = free_;
            free_ = bytes + i * Block;
        }
    }

    void Shrink()
    {
        for (std::size_t i = 1; i < slabs_.size(); ++i)
            std::free(slabs_[i]);
        slabs_.resize(1);
        slabs_.shrink_to_fit();
        free_ = nullptr;
        Thread(slabs_[0]);
    }

    std::vector<void*> slabs_;
    void* free_ = nullptr;
    std::size_t live_ = 0;
    bool abandoned_ = false;
};
