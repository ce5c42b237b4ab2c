#include "core/scanfile/ScanSaveTarget.h"

#include <optional>

#include "core/os/FileFacts.h"
#include "core/os/RegularFile.h"
#include "core/scanfile/ScanFileFormat.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

bool sameFile(const std::string& a, const std::string& b, const std::optional<FileIdentity>& idA) {
    if (a == b) return true;
    if (!idA) return false;
    auto idB = fileIdentity(b);
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
    const auto id = fileIdentity(target);
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
