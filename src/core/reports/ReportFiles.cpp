#include "core/reports/ReportFiles.h"

#include "core/os/FileFacts.h"
#include "core/project/DiskPath.h"

namespace tally {

std::optional<std::string> DiskReportFiles::existing(std::string_view path) const {
    if (path.empty()) return std::nullopt;
    if (fileExists(path)) return std::string(path);
    std::string spelt = resolveOnDisk(path);
    if (spelt != path && fileExists(spelt)) return spelt;
    return std::nullopt;
}

}  // namespace tally
