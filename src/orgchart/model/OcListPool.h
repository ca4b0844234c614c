#pragma once

// Storage for the child lists of one tree's nodes. A tree read from a stream
// makes tens of thousands of short lists at once and frees them all again when
// the next one is read; from the heap, every one of them is a trip to a cold
// free list and later a jump to a scattered block. From the pool, lists follow
// each other in the order they were made, short lists of one length are reused
// among themselves, and the whole pool starts again once the tree is empty.

#include <cstddef>
#include <memory>
#include <vector>

class TOcListPool {
public:
    TOcListPool() = default;
    TOcListPool(const TOcListPool&) = delete;
    TOcListPool& operator=(const TOcListPool&) = delete;

    // Room for count pointers.
    void* Allocate(size_t count);
    void Free(void* list, size_t count);
    // Hands out from the first chunk again; only when no list is held.
    void Reset();

private:
    // Longer lists come from the heap; vectors grow by doubling, so 1 to 16.
    static constexpr size_t kPooledMax = 16;
    static constexpr size_t kChunkPointers = 8192;
    struct FreeList {
        FreeList* next;
    };
    std::vector<std::unique_ptr<void*[]>> chunks_;
    size_t chunk_ = 0;
    size_t used_ = kChunkPointers;
    FreeList* free_[kPooledMax + 1] = {};
};

// A vector allocator drawing on a tree's pool.
template <class T>
class TOcListAllocator {
public:
    using value_type = T;
    explicit TOcListAllocator(TOcListPool* pool) : pool_(pool) {}
    template <class U>
    TOcListAllocator(const TOcListAllocator<U>& other) : pool_(other.Pool())
    {
    }
    static_assert(sizeof(T) == sizeof(void*), "the pool holds lists of pointers");
    T* allocate(size_t n) { return static_cast<T*>(pool_->Allocate(n)); }
    void deallocate(T* p, size_t n) { pool_->Free(p, n); }
    TOcListPool* Pool() const { return pool_; }
    friend bool operator==(const TOcListAllocator& a, const TOcListAllocator& b) { return a.pool_ == b.pool_; }

private:
    TOcListPool* pool_;
};
