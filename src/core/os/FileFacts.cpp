#include "core/os/FileFacts.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "core/model/OleDate.h"
#include "core/os/RegularFile.h"

namespace tally {

namespace {
// A path with a NUL byte would be cut short by the system and name another file.
bool usablePath(const std::string& p) {
    return !p.empty() && p.find('\0') == std::string::npos;
}
}  // namespace

PathStatus pathStatus(std::string_view path) {
    PathStatus status;
    std::string p(path);
    struct stat info {};
    if (!usablePath(p) || ::stat(p.c_str(), &info) != 0) return status;
    status.present = true;
    if (!S_ISREG(info.st_mode)) return status;
    status.regularFile = true;
    status.length = static_cast<std::int64_t>(info.st_size);
    status.modified = info.st_mtime;
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

std::optional<std::string> readFileBytes(std::string_view path, std::int64_t) {
    return readRegularFile(path).bytes;
}

std::optional<std::string> readFileHead(std::string_view path, std::size_t limit) {
    return RegularFile(path).readHead(limit);
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
}

std::string absolutePath(std::string_view path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(std::string(path)), error);
    return error ? std::string(path) : absolute.lexically_normal().string();
}

}  // namespace tally
