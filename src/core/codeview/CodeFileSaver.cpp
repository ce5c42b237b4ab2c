#include "core/codeview/CodeFileSaver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

FileWriteResult failure(int errorNumber, std::string_view description) {
    return FileWriteResult{false, errorNumber, std::string(description)};
}

// The run-time errors a failed file operation raised in the program, so messages read the same.
FileWriteResult failureFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return failure(76, "Path not found");
        case EACCES:
        case EPERM:
            return failure(70, "Permission denied");
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return failure(61, "Disk full");
        default:
            return failure(75, "Path/File access error");
    }
}

// The file a path finally names, so that saving through a link writes to the link's target.
std::string resolveLinks(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

// A new file beside the target, created with the usual permissions (the umask applies), so that a
// file saved under a new name looks like any other new file.
int createTemporary(const std::string& prefix, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the rename itself durable; a folder that cannot be opened or synced costs only that.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileWriteResult saveBytesAtomically(std::string_view path, std::string_view bytes) {
    if (path.empty()) return failure(76, "Path not found");
    std::string target = resolveLinks(std::string(path));

    struct stat original {};
    bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists && !S_ISREG(original.st_mode)) return failure(75, "Path/File access error");
    if (exists && (original.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return failure(75, "Path/File access error");

    std::string folder = directoryOf(target);
    if (folder == target) folder = ".";  // a bare file name lives in the current folder
    if (folder.empty()) folder = "/";
    std::string prefix = ensureTrailingSeparator(folder) + "." + fileNameOf(target) + ".saving-";
    std::string temp;
    int fd = createTemporary(prefix, temp);
    if (fd < 0) return failureFromErrno(errno);

    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return failureFromErrno(error);
    };
    if (exists && ::fchmod(fd, original.st_mode & 07777) != 0) return abandon(errno);
    if (exists && (original.st_uid != ::geteuid() || original.st_gid != ::getegid())) {
        // Keeping the owner is best effort: only a privileged user may give a file away.
        [[maybe_unused]] int ignored = ::fchown(fd, original.st_uid, original.st_gid);
    }
    if (!writeAll(fd, bytes)) return abandon(errno);
    if (::fsync(fd) != 0) return abandon(errno);
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        return failureFromErrno(error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        return failureFromErrno(error);
    }
    syncFolder(folder);
    return FileWriteResult{};
}

FileWriteResult saveCodeText(std::string_view path, std::string_view text, LineEnd lineEnd) {
    if (lineEnd == LineEnd::CrLf) return saveBytesAtomically(path, text);
    return saveBytesAtomically(path, fromCrLfText(text, lineEnd));
}

std::string saveFailedMessage(std::string_view path, const FileWriteResult& result) {
    return "The following error occured while trying to save " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description;
}

std::string writeFailedMessage(std::string_view path, const FileWriteResult& result) {
    return "An error was encountered writing to " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description;
}

}  // namespace tally
