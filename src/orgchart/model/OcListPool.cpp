#include "orgchart/model/OcListPool.h"

#include <algorithm>
#include <new>

void* TOcListPool::Allocate(size_t count)
{
    count = std::max<size_t>(count, 1); // a freed list holds its link
    if (count > kPooledMax)
        return ::operator new(count * sizeof(void*));
    if (FreeList* list = free_[count]) {
        free_[count] = list->next;
        return list;
    }
    if (kChunkPointers - used_ < count) {
        if (chunk_ == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<void*[]>(kChunkPointers));
        ++chunk_;
        used_ = 0;
    }
    void* list = chunks_[chunk_ - 1].get() + used_;
    used_ += count;
    return list;
}

void TOcListPool::Free(void* list, size_t count)
{
    count = std::max<size_t>(count, 1);
    if (count > kPooledMax) {
        ::operator delete(list);
        return;
    }
    free_[count] = new (list) FreeList{free_[count]};
}

void TOcListPool::Reset()
{
    chunk_ = 0;
    used_ = kChunkPointers;
    for (FreeList*& list : free_)
        list = nullptr;
}
