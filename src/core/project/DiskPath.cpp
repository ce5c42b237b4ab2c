#include "core/project/DiskPath.h"

#include <filesystem>
#include <system_error>
#include <vector>

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

// The entry of `dir` that the project's `name` means, or empty. When several entries differ only in
// case the smallest byte string wins, so the choice does not depend on the order of the directory.
std::string findEntry(const std::string& dir, std::string_view name) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(dir.empty() ? std::string(".") : dir), ec);
    std::string best;
    if (ec) return best;
    for (const fs::directory_entry& entry : it) {
        std::string entryName = entry.path().filename().string();
        if (!sameFileName(name, entryName)) continue;
        if (best.empty() || entryName < best) best = std::move(entryName);
    }
    return best;
}

// resolveOnDisk, with the disk's answer for the returned path in `status`.
std::string resolveWithStatus(std::string_view path, PathStatus& status) {
    std::string original(path);
    status = pathStatus(original);
    if (path.empty() || isNetworkPath(path) || status.present) return original;
    if (original.find('\0') != std::string::npos) return original;

    std::string resolved =
        path.front() == kNativeSeparator ? std::string(1, kNativeSeparator) : std::string();
    for (std::string_view component : split(path, "/")) {
        if (component.empty()) continue;
        std::string exact = joinNative(resolved, component);
        if (component == "." || component == ".." || existsOnDisk(exact)) {
            resolved = std::move(exact);
            continue;
        }
        std::string entry = findEntry(resolved, component);
        if (entry.empty()) return original;
        resolved = joinNative(resolved, entry);
    }
    status = pathStatus(resolved);
    return resolved;
}

}  // namespace

bool sameFileName(std::string_view projectName, std::string_view diskName) {
    if (equalsIgnoreCase(projectName, diskName)) return true;
    for (unsigned char c : projectName)
        if (c >= 0x80) return equalsIgnoreCase(windows1252ToUtf8(projectName), diskName);
    return false;
}

std::string resolveOnDisk(std::string_view path) {
    PathStatus status;
    return resolveWithStatus(path, status);
}

std::string resolveMemberPath(std::string_view projectDir, std::string_view fileText, PathStatus* status) {
    std::string joined = resolveProjectText(projectDir, fileText);
    PathStatus found;
    std::string resolved = joined;
    if (isNetworkPath(joined))
        found = pathStatus(joined);
    else
        // Windows folds "." and "x\.." out of a path before it looks at the disk; doing the same here
        // gives one file one key however the project file spells the way to it.
        resolved = resolveWithStatus(fs::path(joined).lexically_normal().string(), found);
    if (status) *status = found;
    return resolved;
}

}  // namespace tally
