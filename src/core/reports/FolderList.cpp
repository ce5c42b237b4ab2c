#include "core/reports/FolderList.h"

#include <algorithm>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

std::vector<std::string> projectFolders(const ProjectModel& model, const ReportFiles& files) {
    std::vector<std::string> folders;
    for (int row = 1; row < model.fileCount(); ++row) {
        const std::string& path = model.files[row].path;
        if (!files.exists(path)) continue;
        std::string folder = directoryOf(path);
        bool known = std::any_of(folders.begin(), folders.end(),
                                 [&](const std::string& f) { return equalsIgnoreCase(f, folder); });
        if (!known) folders.push_back(std::move(folder));
    }
    return folders;
}

}  // namespace tally
