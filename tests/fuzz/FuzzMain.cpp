// The libFuzzer program: TALLY_FUZZ_TARGET names the target it runs (see FuzzEntries.h).

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzEntries.h"

namespace {
const tally::fuzz::FuzzTarget* chosen = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* name = std::getenv("TALLY_FUZZ_TARGET");
    chosen = name ? tally::fuzz::fuzzTargetNamed(name) : nullptr;
    if (!chosen) {
        std::fprintf(stderr, "set TALLY_FUZZ_TARGET to one of:");
        for (const auto& target : tally::fuzz::fuzzTargets())
            std::fprintf(stderr, " %.*s", static_cast<int>(target.name.size()), target.name.data());
        std::fprintf(stderr, "\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    chosen->entry({reinterpret_cast<const char*>(data), size});
    return 0;
}
