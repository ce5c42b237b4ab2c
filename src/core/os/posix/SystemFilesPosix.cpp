// The file calls on Linux, the BSDs and macOS.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

#include "core/os/SystemFiles.h"

#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace tally::sys {

namespace {

// One read or write moves at most this much (the count is an int on some systems).
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

// A path with a NUL byte would be cut short by the system and name another file.
bool usablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

EntryKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::Regular;
    if (S_ISDIR(mode)) return EntryKind::Directory;
    if (S_ISLNK(mode)) return EntryKind::Link;
    if (S_ISFIFO(mode)) return EntryKind::Fifo;
    if (S_ISCHR(mode)) return EntryKind::CharacterDevice;
    if (S_ISBLK(mode)) return EntryKind::BlockDevice;
    if (S_ISSOCK(mode)) return EntryKind::Socket;
    return EntryKind::Other;
}

EntryFacts factsOf(const struct stat& info) {
    EntryFacts facts;
    facts.kind = kindOf(info.st_mode);
    facts.length = facts.kind == EntryKind::Regular ? static_cast<std::int64_t>(info.st_size) : 0;
    facts.modified = info.st_mtime;
    facts.mode = static_cast<unsigned>(info.st_mode & 07777);
    facts.hardLinks = static_cast<long long>(info.st_nlink);
    // Saving gives the new file to this user; only the superuser can hand it back to the old owner.
    // The program never changes its user, so the number is asked once (a scan looks at each member
    // file a dozen times).
    static const uid_t us = ::geteuid();
    facts.ownedByOther = us != 0 && info.st_uid != us;
    facts.owner = static_cast<unsigned long long>(info.st_uid);
    facts.group = static_cast<unsigned long long>(info.st_gid);
    facts.device = static_cast<unsigned long long>(info.st_dev);
    facts.node = static_cast<unsigned long long>(info.st_ino);
    return facts;
}

}  // namespace

int lookAt(const std::string& path, EntryFacts& facts, bool followLinks) {
    if (!usablePath(path)) return ENOENT;
    struct stat info {};
    if ((followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0) return errno;
    facts = factsOf(info);
    return 0;
}

// The superuser may write anything, but a file someone made read-only is honoured as such.
bool mayWrite(const std::string& path, const EntryFacts& facts) {
    if (facts.kind != EntryKind::Regular || (facts.mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return usablePath(path) && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string spelledOnDisk(const std::string& path) {
    return path;  // a name of another case is another file here
}

int resolveLinks(const std::string& path, std::string& resolved) {
    if (!usablePath(path)) return ENOENT;
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) == nullptr) return errno;
    resolved = buffer;
    return 0;
}

OpenFile::~OpenFile() {
    close();
}

int OpenFile::openToRead(const std::string& path) {
    close();
    if (!usablePath(path)) return ENOENT;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    m_handle = fd;
    return 0;
}

int OpenFile::createNew(const std::string& path) {
    close();
    if (!usablePath(path)) return ENOENT;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    m_handle = fd;
    return 0;
}

int OpenFile::lookAt(EntryFacts& facts) const {
    struct stat info {};
    if (::fstat(static_cast<int>(m_handle), &info) != 0) return errno;
    facts = factsOf(info);
    return 0;
}

long long OpenFile::readSome(char* into, std::size_t most) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(m_handle), into, most < kLargestTransfer ? most : kLargestTransfer);
        if (got >= 0) return got;
        if (errno != EINTR) return -errno;
    }
}

int OpenFile::writeAll(std::string_view bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written =
            ::write(static_cast<int>(m_handle), at, left < kLargestTransfer ? left : kLargestTransfer);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

void OpenFile::takeOverAccess(const EntryFacts& old) {
    const int fd = static_cast<int>(m_handle);
    ::fchmod(fd, static_cast<mode_t>(old.mode & 07777));
    // Keeping the owner is best effort: only a privileged user may give a file away (the user was
    // told beforehand when it cannot be kept).
    const auto owner = static_cast<uid_t>(old.owner);
    const auto group = static_cast<gid_t>(old.group);
    if (owner != ::geteuid() || group != ::getegid()) {
        [[maybe_unused]] int ignored = ::fchown(fd, owner, group);
    }
}

int OpenFile::flushToDisk() {
    return ::fsync(static_cast<int>(m_handle)) == 0 ? 0 : errno;
}

int OpenFile::close() {
    if (m_handle == kClosed) return 0;
    const int closed = ::close(static_cast<int>(m_handle));
    m_handle = kClosed;
    return closed == 0 ? 0 : errno;
}

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

void flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

long long processId() {
    return static_cast<long long>(::getpid());
}

void adviseLargePages(void* start, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    // Only whole 2 MB pages inside the block can be advised; blocks below 4 MB are left as they are.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    if (bytes < 2 * kLargePage) return;
    auto begin = reinterpret_cast<std::uintptr_t>(start);
    std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}

std::string windowsFolder() {
    return {};
}

std::string systemFolder() {
    return {};
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

}  // namespace tally::sys
