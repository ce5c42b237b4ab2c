#include "core/project/FileFacts.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "core/model/OleDate.h"

namespace tally {

namespace {
// A path with a NUL byte would be cut short by the system and name another file.
bool usablePath(const std::string& p) {
    return !p.empty() && p.find('\0') == std::string::npos;
}

bool statFile(std::string_view path, struct stat& info) {
    std::string p(path);
    return usablePath(p) && ::stat(p.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

bool fileExists(std::string_view path) {
    struct stat info {};
    return statFile(path, info);
}

std::int64_t fileLength(std::string_view path) {
    struct stat info {};
    return statFile(path, info) ? static_cast<std::int64_t>(info.st_size) : 0;
}

double fileModifiedOle(std::string_view path) {
    struct stat info {};
    return statFile(path, info) ? oleFromTimeT(info.st_mtime) : 0.0;
}

std::optional<std::string> readFileBytes(std::string_view path) {
    std::string p(path);
    if (!usablePath(p)) return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(p.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    while (true) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

}  // namespace tally
