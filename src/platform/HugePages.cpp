#include "platform/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace platform {

void adviseHugePages(void* memory, std::size_t size) noexcept
{
#ifdef MADV_HUGEPAGE
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = (start + kHugePage - 1) & ~std::uintptr_t(kHugePage - 1);
    const std::uintptr_t last = (start + size) & ~std::uintptr_t(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)memory;
    (void)size;
#endif
}

} // namespace platform
