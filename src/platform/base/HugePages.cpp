#include "platform/base/HugePages.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseHugePages(void* address, std::size_t bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(address, bytes, MADV_HUGEPAGE);
#else
    (void)address;
    (void)bytes;
#endif
}
