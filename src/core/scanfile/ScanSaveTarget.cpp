#include "core/scanfile/ScanSaveTarget.h"

#include <sys/stat.h>

#include <optional>

#include "core/project/RegularFile.h"
#include "core/scanfile/ScanFileFormat.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The device and inode of an existing file, so that two names of one file (a link, another
// spelling, a hard link) are seen to be the same file.
std::optional<std::pair<unsigned long long, unsigned long long>> identityOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
    return std::make_pair(static_cast<unsigned long long>(info.st_dev),
                          static_cast<unsigned long long>(info.st_ino));
}

bool sameFile(const std::string& a, const std::string& b,
              const std::optional<std::pair<unsigned long long, unsigned long long>>& idA) {
    if (a == b) return true;
    if (!idA) return false;
    auto idB = identityOf(b);
    return idB && *idA == *idB;
}

}  // namespace

bool looksLikeScanFile(std::string_view head) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (startsWith(head, kUtf8Bom)) head.remove_prefix(kUtf8Bom.size());
    if (trimView(head).empty()) return true;
    std::string_view first = head.substr(0, head.find_first_of("\r\n"));
    first = trimView(first);
    return first == kScanVersion1 || first == kScanVersion2;
}

std::string scanSaveRefusal(const ProjectModel& model, std::string_view path) {
    const std::string target(path);
    const auto id = identityOf(target);
    if (!model.projectPath.empty() && sameFile(target, model.projectPath, id))
        return target + " is the project file; choose another name";
    for (const FileRec& file : model.files) {
        if (!file.path.empty() && sameFile(target, file.path, id))
            return target + " is a file of the open project; choose another name";
    }
    if (!id) return {};
    // Only a regular file is looked into; what else is there is refused by the writer itself.
    RegularFile existing(target);
    if (!existing.check().ok()) return {};
    std::optional<std::string> head = existing.readHead(4096);
    if (head && !looksLikeScanFile(*head)) return target + " is not a project scan file; choose another name";
    return {};
}

}  // namespace tally
