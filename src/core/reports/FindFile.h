#pragma once
// Where a library the project names (an object or a DLL) lies on this machine.

#include <string>
#include <string_view>

#include "core/reports/ReportFiles.h"

namespace tally {

// The folders a bare library name is looked for in, in this order; an empty one is passed over (a
// system without Windows folders has none).
struct LibraryFolders {
    std::string projectDir;
    std::string windowsDir;
    std::string systemDir;
};

// A name holding a colon (a drive or a protocol) is used unchanged, whether or not it exists; a
// bare name is joined to each folder in turn and the first that names an existing file is
// returned, spelt as the disk spells it. Empty when none exists.
std::string findLibraryFile(std::string_view name, const LibraryFolders& folders, const ReportFiles& files);

}  // namespace tally
