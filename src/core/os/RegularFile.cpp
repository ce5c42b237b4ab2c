#include "core/os/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/os/OpenFlags.h"

namespace tally {

namespace {

// One read asks for at most this much (the count is an unsigned int on some systems).
constexpr std::size_t kLargestRead = std::size_t{1} << 30;

FileCheck fromError(int err) {
    FileCheck check;
    check.error = err;
    if (err == ENOENT || err == ENOTDIR)
        check.refusal = FileRefusal::Missing;
    else if (err == ELOOP)
        check.refusal = FileRefusal::LinkLoop;
    else if (err == EISDIR)
        check.refusal = FileRefusal::Directory;
#ifdef ENXIO
    else if (err == ENXIO) {  // a socket, or a device without its driver
        check.refusal = FileRefusal::NotRegular;
        check.kind = "a socket or device";
    }
#endif
    else
        check.refusal = FileRefusal::Unreadable;
    return check;
}

FileCheck fromStat(const struct stat& info, std::int64_t limit) {
    FileCheck check;
    if (S_ISDIR(info.st_mode)) {
        check.refusal = FileRefusal::Directory;
    } else if (!S_ISREG(info.st_mode)) {
        check.refusal = FileRefusal::NotRegular;
        check.kind = fileKindOf(static_cast<unsigned>(info.st_mode));
    } else {
        check.length = static_cast<std::int64_t>(info.st_size);
        if (check.length > limit) check.refusal = FileRefusal::TooLarge;
    }
    return check;
}

bool usablePath(const std::string& p) {
    return !p.empty() && p.find('\0') == std::string::npos;
}

}  // namespace

std::string fileKindOf(unsigned mode) {
    if (S_ISREG(mode)) return "a regular file";
    if (S_ISDIR(mode)) return "a directory";
#ifdef S_ISFIFO
    if (S_ISFIFO(mode)) return "a FIFO";
#endif
#ifdef S_ISCHR
    if (S_ISCHR(mode)) return "a character device";
#endif
#ifdef S_ISBLK
    if (S_ISBLK(mode)) return "a block device";
#endif
#ifdef S_ISSOCK
    if (S_ISSOCK(mode)) return "a socket";
#endif
    return "a special file";
}

FileCheck checkReadableFile(std::string_view path, std::int64_t limit) {
    const std::string p(path);
    if (!usablePath(p)) return fromError(ENOENT);
    struct stat info {};
    if (::stat(p.c_str(), &info) != 0) return fromError(errno);
    return fromStat(info, limit);
}

RegularFile::RegularFile(std::string_view path, std::int64_t limit) : m_limit(limit) {
    // A look first, so that a device is never opened at all (opening one can have effects of its
    // own); the open itself does not block, so a FIFO put in place meanwhile is refused below.
    m_check = checkReadableFile(path, limit);
    if (!m_check.ok()) return;
    const std::string p(path);
    m_fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_BINARY);
    if (m_fd < 0) {
        m_check = fromError(errno);
        return;
    }
    struct stat info {};
    m_check = ::fstat(m_fd, &info) == 0 ? fromStat(info, limit) : fromError(errno);
    if (!m_check.ok()) {
        ::close(m_fd);
        m_fd = -1;
    }
}

RegularFile::~RegularFile() {
    if (m_fd >= 0) ::close(m_fd);
}

std::optional<std::string> RegularFile::readHead(std::size_t most) {
    if (m_fd < 0) return std::nullopt;
    const std::size_t cap = std::min<std::size_t>(most, static_cast<std::size_t>(m_limit) + 1);
    std::string bytes;
    // One byte more than the length, so that the end is met by the first read.
    bytes.resize(std::min<std::size_t>(cap, static_cast<std::size_t>(m_check.length) + 1));
    std::size_t filled = 0;
    while (filled < cap) {
        if (filled == bytes.size()) bytes.resize(std::min(cap, std::max<std::size_t>(2 * filled, 1 << 16)));
        const std::size_t wanted = std::min(bytes.size() - filled, kLargestRead);
        const auto got = ::read(m_fd, bytes.data() + filled, static_cast<unsigned>(wanted));
        if (got < 0) {
            if (errno == EINTR) continue;
            m_check = fromError(errno);
            return std::nullopt;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        // A regular file that gives fewer bytes than were asked for is at its end.
        if (static_cast<std::size_t>(got) < wanted) break;
    }
    bytes.resize(filled);
    return bytes;
}

std::string refusalPhrase(const FileCheck& check, std::int64_t limit) {
    switch (check.refusal) {
        case FileRefusal::None:
            return {};
        case FileRefusal::Missing:
            return "does not exist";
        case FileRefusal::LinkLoop:
            return "is a symbolic link loop";
        case FileRefusal::Directory:
            return "is a directory";
        case FileRefusal::NotRegular:
            return "is not a regular file (" + check.kind + ")";
        case FileRefusal::TooLarge:
            return "is larger than " + std::to_string(limit >> 20) + " MB and is not read";
        case FileRefusal::Unreadable:
            return "cannot be read (" + std::generic_category().message(check.error) + ")";
    }
    return {};
}

FileRead readRegularFile(std::string_view path, std::int64_t limit) {
    RegularFile file(path, limit);
    FileRead read;
    read.bytes = file.readHead(std::string::npos);
    read.check = file.check();
    if (read.bytes && static_cast<std::int64_t>(read.bytes->size()) > limit) {
        read.bytes.reset();
        read.check.refusal = FileRefusal::TooLarge;
    }
    return read;
}

}  // namespace tally
