#include "core/project/FileFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <algorithm>
#include <cerrno>

#include "core/model/OleDate.h"

namespace tally {

namespace {
// One read asks for at most this much (the count is an unsigned int on some systems).
constexpr std::size_t kLargestRead = std::size_t{1} << 30;

// A path with a NUL byte would be cut short by the system and name another file.
bool usablePath(const std::string& p) {
    return !p.empty() && p.find('\0') == std::string::npos;
}

// The descriptor of a file opened for reading, closed with the object.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : m_fd(::open(path.c_str(), kReadFlags)) {}
    ~OpenFile() {
        if (m_fd >= 0) ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
#if defined(O_BINARY)
    static constexpr int kReadFlags = O_RDONLY | O_BINARY;
#elif defined(O_CLOEXEC)
    static constexpr int kReadFlags = O_RDONLY | O_CLOEXEC;
#else
    static constexpr int kReadFlags = O_RDONLY;
#endif
    int m_fd;
};

// Reads up to `limit` bytes into the empty `bytes`, first into the capacity it was given; false on a
// read error. A regular file that gives fewer bytes than were asked for is at its end (one read
// instead of two for a file whose length is known); anything else is read until it reports its end,
// in larger blocks when it grows.
bool readInto(int fd, bool regularFile, std::string& bytes, std::size_t limit) {
    constexpr std::size_t kBlock = 1 << 16;
    std::size_t filled = 0;
    while (filled < limit) {
        if (bytes.size() == filled) {
            std::size_t next =
                bytes.capacity() > filled ? bytes.capacity() : std::max(filled + kBlock, 2 * filled);
            bytes.resize(std::min(limit, next));
        }
        const std::size_t wanted = std::min<std::size_t>(bytes.size() - filled, kLargestRead);
        const auto got = ::read(fd, bytes.data() + filled, static_cast<unsigned>(wanted));
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (regularFile && static_cast<std::size_t>(got) < wanted) break;
    }
    bytes.resize(filled);
    return true;
}

// `expectedLength` below 0: the length is asked of the open file.
std::optional<std::string> readFile(std::string_view path, std::size_t limit, std::int64_t expectedLength) {
    std::string p(path);
    if (!usablePath(p)) return std::nullopt;
    OpenFile file(p);
    if (file.fd() < 0) return std::nullopt;
    bool regularFile = expectedLength >= 0;
    if (!regularFile) {
        struct stat info {};
        regularFile = ::fstat(file.fd(), &info) == 0 && S_ISREG(info.st_mode);
        expectedLength = regularFile ? info.st_size : 0;
    }
    std::string bytes;
    // One byte more than the expected length, so that the end is seen without growing the buffer.
    if (expectedLength > 0)
        bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(expectedLength) + 1));
    if (!readInto(file.fd(), regularFile, bytes, limit)) return std::nullopt;
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
