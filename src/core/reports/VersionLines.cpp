#include "core/reports/VersionLines.h"

#include "core/reports/RtfBuilders.h"
#include "core/text/Windows1252.h"

namespace tally {

std::string versionLines(std::string_view path, const VersionInfoSource& versions) {
    std::string out;
    if (path.empty()) return out;
    VersionStrings strings = versions.versionStrings(path);
    for (std::size_t i = 0; i < strings.size(); ++i) {
        if (strings[i].empty()) continue;
        out += rtfTabs(1) + std::string(kVersionLabels[i]) + rtfEscape(windows1252ToUtf8(strings[i])) + rtfLineEnd();
    }
    return out;
}

std::string pathLines(std::string_view name, const LibraryFolders& folders, const ReportFiles& files,
                      const VersionInfoSource& versions, const SourceCodecs& codecs) {
    std::string path = findLibraryFile(name, folders, files);
    return rtfTabs(1) + "Path: " + rtfEscape(codecs.toUtf8(path)) + rtfLineEnd() + versionLines(path, versions);
}

}  // namespace tally
