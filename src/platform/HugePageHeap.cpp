#include "platform/HugePageHeap.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#if defined(__linux__) && defined(__GLIBC__)
#include <unistd.h>
#endif

namespace tally {

namespace {
constexpr std::string_view kTunableName = "glibc.malloc.hugetlb";
}  // namespace

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

void restartWithHugePageHeap([[maybe_unused]] char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    const std::string text((std::istreambuf_iterator<char>(setting)), std::istreambuf_iterator<char>());
    const std::optional<std::string> tunables = hugePageTunables(std::getenv("GLIBC_TUNABLES"), text);
    if (!tunables || !argv || !argv[0]) return;
    // The new start finds the tunable named, so it does not start again itself.
    if (::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0) return;
    ::execv("/proc/self/exe", argv);
    // Not started again (no /proc, a binary replaced meanwhile): go on with small pages. The variable
    // stays set, which only tells the programs this one starts to use huge pages too.
#endif
}

}  // namespace tally
