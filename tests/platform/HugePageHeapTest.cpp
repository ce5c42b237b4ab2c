// The program starts itself again with huge pages only when they come on request and nobody has
// spoken of them yet; whatever tunables were set stay. (The new start itself is taken by every CLI
// test: the CLI they run starts again first on a kernel that hands out huge pages on request.)
#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace tally
