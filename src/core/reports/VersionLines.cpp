#include "core/reports/VersionLines.h"

#include "core/reports/RtfBuilders.h"

namespace tally {

std::string versionLines(std::string_view path, const VersionInfoSource& versions) {
    std::string out;
    if (path.empty()) return out;
    VersionStrings strings = versions.versionStrings(path);
    for (std::size_t i = 0; i < strings.size(); ++i)
        if (!strings[i].empty()) out += rtfTabs(1) + std::string(kVersionLabels[i]) + rtfEscape(strings[i]) + rtfLineEnd();
    return out;
}

std::string pathLines(std::string_view name, const LibraryFolders& folders, const ReportFiles& files,
                      const VersionInfoSource& versions) {
    std::string path = findLibraryFile(name, folders, files);
    return rtfTabs(1) + "Path: " + rtfEscape(path) + rtfLineEnd() + versionLines(path, versions);
}

}  // namespace tally
