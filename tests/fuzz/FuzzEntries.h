#pragma once
// The fuzz targets: each takes one input, as libFuzzer hands it over, and feeds it to one of the
// program's readers. The same entries replay the saved crash inputs in the normal test suite. An
// entry returns normally for any input it survives; a broken promise (a scan the program wrote
// that it cannot read back) aborts, as a crash would.

#include <string_view>
#include <vector>

namespace tally::fuzz {

using FuzzEntry = void (*)(std::string_view input);

struct FuzzTarget {
    std::string_view name;  // also the folder of its seeds and of its crash inputs
    FuzzEntry entry;
};

// project, bas, frm, cls, scanfile, rtf, winehive, pe, frx.
const std::vector<FuzzTarget>& fuzzTargets();

// The target called `name`, or null.
const FuzzTarget* fuzzTargetNamed(std::string_view name);

}  // namespace tally::fuzz
