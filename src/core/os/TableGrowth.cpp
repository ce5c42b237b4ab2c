#include "core/os/TableGrowth.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tally {

void adviseLargePages(void* start, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Only whole 2 MB pages inside the block can be advised; blocks below 4 MB are left as they are.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    if (bytes < 2 * kLargePage) return;
    auto begin = reinterpret_cast<std::uintptr_t>(start);
    std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}

}  // namespace tally
