#include "platform/HugePageHeap.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tally {

namespace {
constexpr std::string_view kTunableName = "glibc.malloc.hugetlb";

#if defined(__linux__) && defined(__GLIBC__)
std::string fileText(const char* path) {
    std::ifstream file(path);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The size of a transparent huge page: 2 MB on x86-64, other sizes on other processors.
std::uintptr_t hugePageSize() {
    const std::uintptr_t size =
        std::strtoull(fileText("/sys/kernel/mm/transparent_hugepage/hpage_pmd_size").c_str(), nullptr, 10);
    return size != 0 && (size & (size - 1)) == 0 ? size : std::uintptr_t{2} << 20;
}

// What hugePageTunables says for this process: its GLIBC_TUNABLES and the kernel's setting.
std::optional<std::string> tunablesForThisProcess() {
    return hugePageTunables(std::getenv("GLIBC_TUNABLES"), fileText("/sys/kernel/mm/transparent_hugepage/enabled"));
}
#endif
}  // namespace

std::pair<std::uintptr_t, std::uintptr_t> wholePagesWithin(std::uintptr_t begin, std::uintptr_t end,
                                                           std::uintptr_t pageSize) {
    const std::uintptr_t mask = pageSize - 1;
    const std::uintptr_t first = begin > end || begin > UINTPTR_MAX - mask ? end : (begin + mask) & ~mask;
    const std::uintptr_t last = end & ~mask;
    return first < last ? std::pair{first, last} : std::pair{end, end};
}

std::optional<std::string> hugePageTunables(const char* current, std::string_view hugePageSetting) {
    if (hugePageSetting.find("[madvise]") == std::string_view::npos) return std::nullopt;
    const std::string_view now = current ? std::string_view(current) : std::string_view();
    if (now.find(kTunableName) != std::string_view::npos) return std::nullopt;
    std::string value(now);
    if (!value.empty()) value += ':';
    value += kTunableName;
    value += "=1";
    return value;
}

bool hugePagesWanted() {
#if defined(__linux__) && defined(__GLIBC__)
    return tunablesForThisProcess().has_value();
#else
    return false;
#endif
}

void restartWithHugePageHeap([[maybe_unused]] char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
    const std::optional<std::string> tunables = tunablesForThisProcess();
    if (!tunables || !argv || !argv[0]) return;
    // The new start finds the tunable named, so it does not start again itself.
    if (::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0) return;
    ::execv("/proc/self/exe", argv);
    // Not started again (no /proc, a binary replaced meanwhile): go on with small pages. The variable
    // stays set, which only tells the programs this one starts to use huge pages too.
#endif
}

void reserveHugePageHeap([[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(__GLIBC__)
    if (bytes < kSmallestHugePageHeap || !hugePagesWanted()) return;
    // Blocks up to 32 MB come from the heap from now on (larger ones keep a mapping of their own),
    // and so does the reserve, in blocks just below that. glibc writes a header at the start of
    // each, so the huge page holding it stays small: one in fifteen. The free top of the heap is
    // given back to the system only once it is larger than the reserve.
    constexpr std::size_t kBlock = 30u << 20;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<std::size_t>(bytes + kBlock, INT_MAX)));
    const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    std::vector<void*> blocks;
    blocks.reserve(bytes / kBlock + 1);
    for (std::size_t taken = 0; taken < bytes; taken += kBlock) {
        void* block = std::malloc(kBlock);
        if (!block) break;  // no more address space: the scan goes on with what there is
        blocks.push_back(block);
    }
    // Freed from the last, each block joins the free top of the heap.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) std::free(*block);
    const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    const auto [first, last] = wholePagesWithin(before, after, hugePageSize());
    if (first < last) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace tally
