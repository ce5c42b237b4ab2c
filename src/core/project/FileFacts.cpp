#include "core/project/FileFacts.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/model/OleDate.h"

namespace tally {

namespace {
// A path with a NUL byte would be cut short by the system and name another file.
bool usablePath(const std::string& p) {
    return !p.empty() && p.find('\0') == std::string::npos;
}

// Reads up to `limit` bytes into the empty `bytes`, first into the capacity it was given; false on a
// read error.
bool readInto(std::FILE* file, std::string& bytes, std::size_t limit) {
    // A file that grows while it is read, or one that reports no length, is read on in larger blocks
    // until its end.
    constexpr std::size_t kBlock = 1 << 16;
    std::size_t filled = 0;
    while (filled < limit) {
        if (bytes.size() == filled) {
            std::size_t next =
                bytes.capacity() > filled ? bytes.capacity() : std::max(filled + kBlock, 2 * filled);
            bytes.resize(std::min(limit, next));
        }
        std::size_t wanted = bytes.size() - filled;
        std::size_t got = std::fread(bytes.data() + filled, 1, wanted, file);
        filled += got;
        if (got < wanted) break;
    }
    bytes.resize(filled);
    return !std::ferror(file);
}

// `expectedLength` below 0: the length is asked of the open file.
std::optional<std::string> readFile(std::string_view path, std::size_t limit, std::int64_t expectedLength) {
    std::string p(path);
    if (!usablePath(p)) return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(p.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    // The reads go straight into the string: no stream buffer is needed.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    if (expectedLength < 0) {
        struct stat info {};
        expectedLength = ::fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : 0;
    }
    std::string bytes;
    // One byte more than the expected length, so that the end is seen without growing the buffer.
    if (expectedLength > 0)
        bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(expectedLength) + 1));
    if (!readInto(file.get(), bytes, limit)) return std::nullopt;
    return bytes;
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
    return readFile(path, std::string::npos, -1);
}

std::optional<std::string> readFileBytes(std::string_view path, std::int64_t expectedLength) {
    return readFile(path, std::string::npos, std::max<std::int64_t>(expectedLength, 0));
}

std::optional<std::string> readFileHead(std::string_view path, std::size_t limit) {
    return readFile(path, limit, -1);
}

}  // namespace tally
