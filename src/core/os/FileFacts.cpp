#include "core/os/FileFacts.h"

#include <filesystem>
#include <system_error>

#include "core/model/OleDate.h"
#include "core/os/RegularFile.h"
#include "core/os/SystemFiles.h"

namespace tally {

PathStatus pathStatus(std::string_view path) {
    PathStatus status;
    sys::EntryFacts facts;
    if (sys::lookAt(std::string(path), facts) != 0) return status;
    status.present = true;
    if (facts.kind != sys::EntryKind::Regular) return status;
    status.regularFile = true;
    status.length = facts.length;
    status.modified = facts.modified;
    return status;
}

double PathStatus::modifiedOle() const {
    return regularFile ? oleFromTimeT(modified) : 0.0;
}

bool fileExists(std::string_view path) {
    return pathStatus(path).regularFile;
}

std::int64_t fileLength(std::string_view path) {
    return pathStatus(path).length;
}

double fileModifiedOle(std::string_view path) {
    return pathStatus(path).modifiedOle();
}

std::optional<std::string> readFileBytes(std::string_view path) {
    return readRegularFile(path).bytes;
}

std::optional<std::string> readFileBytes(std::string_view path, const PathStatus& look) {
    return readRegularFile(path, look).bytes;
}

std::optional<std::string> readFileHead(std::string_view path, std::size_t limit) {
    return RegularFile(path).readHead(limit);
}

std::optional<std::string> readFileHead(std::string_view path, std::size_t limit, const PathStatus& look) {
    return RegularFile(path, look).readHead(limit);
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    sys::EntryFacts facts;
    if (sys::lookAt(path, facts) != 0) return std::nullopt;
    return FileIdentity{facts.device, facts.node};
}

std::string absolutePath(std::string_view path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(std::string(path)), error);
    return error ? std::string(path) : absolute.lexically_normal().string();
}

}  // namespace tally
