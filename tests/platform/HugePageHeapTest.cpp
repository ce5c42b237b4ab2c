// The program starts itself again with huge pages only when they come on request and nobody has
// spoken of them yet; whatever tunables were set stay. The CLI reserves its heap instead, on the
// whole huge pages of the stretch it took (and every CLI test scan does so first on a kernel that
// hands out huge pages on request).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/HugePageHeap.h"

namespace tally {
namespace {

TEST(HugePageHeap, OnlyHugePagesOnRequestAndNoChoiceMadeAskForANewStart) {
    const std::string_view madvise = "always [madvise] never\n";
    EXPECT_EQ(hugePageTunables(nullptr, madvise), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(hugePageTunables("", madvise), "glibc.malloc.hugetlb=1");
    EXPECT_EQ(hugePageTunables("glibc.malloc.arena_max=2", madvise), "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1");
    // Named already, either way: the user's choice (and the new start's own value) stands.
    EXPECT_EQ(hugePageTunables("glibc.malloc.hugetlb=0", madvise), std::nullopt);
    EXPECT_EQ(hugePageTunables("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", madvise), std::nullopt);
    // Huge pages anyway, never, or a kernel without the setting.
    EXPECT_EQ(hugePageTunables(nullptr, "[always] madvise never\n"), std::nullopt);
    EXPECT_EQ(hugePageTunables(nullptr, "always madvise [never]\n"), std::nullopt);
    EXPECT_EQ(hugePageTunables(nullptr, ""), std::nullopt);
}

TEST(HugePageHeap, AReserveIsAdvisedOnTheWholePagesItCovers) {
    constexpr std::uintptr_t kPage = 2 << 20;
    // Rounded in at both ends.
    EXPECT_EQ(wholePagesWithin(kPage + 1, 5 * kPage - 1, kPage), std::pair(2 * kPage, 4 * kPage));
    EXPECT_EQ(wholePagesWithin(kPage, 3 * kPage, kPage), std::pair(kPage, 3 * kPage));
    // No whole page inside, an empty stretch or one the wrong way round: nothing to advise.
    EXPECT_EQ(wholePagesWithin(kPage + 1, 3 * kPage - 1, kPage), std::pair(3 * kPage - 1, 3 * kPage - 1));
    EXPECT_EQ(wholePagesWithin(kPage, kPage, kPage), std::pair(kPage, kPage));
    EXPECT_EQ(wholePagesWithin(5 * kPage, kPage, kPage), std::pair(kPage, kPage));
    // A stretch ending at the top of the address space does not wrap.
    EXPECT_EQ(wholePagesWithin(UINTPTR_MAX - 10, UINTPTR_MAX, kPage), std::pair(UINTPTR_MAX, UINTPTR_MAX));
}

// The address sanitizer brings a heap of its own, which no reserve reaches.
#if defined(__SANITIZE_ADDRESS__)
#define TALLY_OWN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TALLY_OWN_HEAP 1
#endif
#endif

#if defined(__linux__) && defined(__GLIBC__) && !defined(TALLY_OWN_HEAP)
// The stretches of this process that the kernel was asked to back with huge pages ("hg" among the
// VmFlags of /proc/self/smaps).
std::vector<std::pair<std::uintptr_t, std::uintptr_t>> advisedStretches() {
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> stretches;
    std::ifstream smaps("/proc/self/smaps");
    std::pair<std::uintptr_t, std::uintptr_t> current{};
    for (std::string line; std::getline(smaps, line);) {
        if (line.rfind("VmFlags:", 0) == 0) {
            if ((line + ' ').find(" hg ") != std::string::npos) stretches.push_back(current);
        } else if (const std::size_t dash = line.find('-');
                   dash != std::string::npos && std::isxdigit(line[0])) {
            current = {std::stoull(line.substr(0, dash), nullptr, 16),
                       std::stoull(line.substr(dash + 1), nullptr, 16)};
        }
    }
    return stretches;
}

// What the CLI does before a scan: the blocks the model is then made of come from huge pages where
// the kernel gives them on request. The first few may come from what the heap had free before.
TEST(HugePageHeap, TheBlocksAfterAReserveComeFromTheStretchAskedForHugePages) {
    const bool wanted = hugePagesWanted();
    reserveHugePageHeap(std::size_t{96} << 20);
    std::vector<void*> blocks;
    for (int k = 0; k < 64; ++k) blocks.push_back(std::malloc(std::size_t{1} << 20));
    const auto stretches = advisedStretches();
    int advised = 0;
    for (void* block : blocks) {
        const auto at = reinterpret_cast<std::uintptr_t>(block);
        if (std::any_of(stretches.begin(), stretches.end(),
                        [&](const auto& s) { return at >= s.first && at < s.second; }))
            ++advised;
        std::free(block);
    }
    if (wanted)
        EXPECT_GE(advised, 56);
    else
        EXPECT_EQ(advised, 0);
}

// A heap smaller than that is left on small pages: nothing more is asked of the kernel.
TEST(HugePageHeap, ASmallHeapIsLeftOnSmallPages) {
    const auto before = advisedStretches();
    reserveHugePageHeap(kSmallestHugePageHeap - 1);
    void* block = std::malloc(std::size_t{8} << 20);
    EXPECT_EQ(advisedStretches(), before);
    std::free(block);
}
#endif

}  // namespace
}  // namespace tally
