#include "core/reports/FindFile.h"

#include "core/project/PathOps.h"

namespace tally {

std::string findLibraryFile(std::string_view name, const LibraryFolders& folders, const ReportFiles& files) {
    if (name.find(':') != std::string_view::npos) return std::string(name);
    if (name.empty()) return {};
    for (const std::string* folder : {&folders.projectDir, &folders.windowsDir, &folders.systemDir}) {
        if (folder->empty()) continue;
        if (auto found = files.existing(ensureTrailingSeparator(*folder) + std::string(name))) return *found;
    }
    return {};
}

}  // namespace tally
