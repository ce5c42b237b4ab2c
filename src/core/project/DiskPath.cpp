#include "core/project/DiskPath.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/os/SystemFiles.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace fs = std::filesystem;

namespace {

bool isNetworkPath(std::string_view path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

bool existsOnDisk(const std::string& path) {
    // A name with a NUL byte (refused by pathStatus) would be cut short by the system and name
    // another file.
    return pathStatus(path).present;
}

std::string joinNative(const std::string& dir, std::string_view name) {
    if (dir.empty()) return std::string(name);
    if (dir.back() == kNativeSeparator) return dir + std::string(name);
    return dir + kNativeSeparator + std::string(name);
}

std::string utf8Components(const std::string& path) {
    std::string out;
    bool first = true;
    for (const std::string& component : split(path, "/")) {
        if (!first) out.push_back(kNativeSeparator);
        first = false;
        out += isValidUtf8(component) ? component : windows1252ToUtf8(component);
    }
    return out;
}

// resolveOnDisk, with the disk's answer for the returned path in `status`. Each folder on the way is
// listed once through `folders`, however many members of the project lie in it.
std::string resolveWithStatus(std::string_view path, PathStatus& status, FolderEntries& folders) {
    std::string original(path);
    status = pathStatus(original);
    // Where names of any case are one file (Windows), the disk's spelling makes it one key.
    if (status.present) return isNetworkPath(path) ? original : sys::spelledOnDisk(original);
    if (path.empty() || isNetworkPath(path)) return original;
    if (original.find('\0') != std::string::npos) return original;

    std::string resolved =
        path.front() == kNativeSeparator ? std::string(1, kNativeSeparator) : std::string();
    for (std::string_view component : split(path, "/")) {
        if (component.empty()) continue;
        if (component == "." || component == "..") {
            resolved = joinNative(resolved, component);
            continue;
        }
        std::optional<std::string> entry = folders.entryOf(resolved, component);
        if (!entry) {
            // A folder that cannot be listed may still be passed through.
            std::string exact = joinNative(resolved, component);
            if (!existsOnDisk(exact)) return original;
            resolved = std::move(exact);
            continue;
        }
        if (entry->empty()) return original;
        resolved = joinNative(resolved, *entry);
    }
    status = pathStatus(resolved);
    return resolved;
}

}  // namespace

std::string resolveOnDisk(std::string_view path, int codePage) {
    PathStatus status;
    FolderEntries folders(codePage);
    return resolveWithStatus(path, status, folders);
}

std::string resolveMemberPath(std::string_view projectDir, std::string_view fileText, PathStatus* status,
                              FolderEntries* folders) {
    FolderEntries ownFolders;
    if (!folders) folders = &ownFolders;
    std::string joined = resolveProjectText(projectDir, fileText, folders->codePage());
    PathStatus found;
    std::string resolved = joined;
    if (isNetworkPath(joined))
        found = pathStatus(joined);
    else
        // Windows folds "." and "x\.." out of a path before it looks at the disk; doing the same here
        // gives one file one key however the project file spells the way to it.
        resolved = resolveWithStatus(fs::path(joined).lexically_normal().string(), found, *folders);
    if (status) *status = found;
    // A member that is not on disk keeps the project file's spelling; its Windows-1252 components
    // are written as the file system writes names (UTF-8), so that the path is one text of one
    // encoding, beside a project folder that the file system named.
    if (!found.present && !isNetworkPath(resolved) && !isValidUtf8(resolved)) resolved = utf8Components(resolved);
    return resolved;
}

}  // namespace tally
