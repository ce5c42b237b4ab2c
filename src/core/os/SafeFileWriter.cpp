#include "core/os/SafeFileWriter.h"

#include "core/os/SaveTarget.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/os/OpenFlags.h"

namespace tally {

namespace {

// The classic error number and text that best tell the user what an operating-system error means.
Outcome failure(int err, std::string_view path) {
    Outcome result;
    std::string_view what;
    switch (err) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            result.errorNumber = error::kPathNotFound;
            what = "Path not found";
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            result.errorNumber = error::kPermissionDenied;
            what = "Permission denied";
            break;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            result.errorNumber = error::kDiskFull;
            what = "Disk full";
            break;
        case EIO:
            result.errorNumber = error::kDeviceIoError;
            what = "Device I/O error";
            break;
        default:
            result.errorNumber = error::kPathFileAccessError;
            what = "Path/File access error";
            break;
    }
    result.description = std::string(what);
    result.detail = std::string(what) + ": " + std::string(path) + " (" + std::generic_category().message(err) + ")";
    return result;
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(static_cast<long long>(::getpid())) + "-" +
           std::to_string(counter.fetch_add(1));
}

std::string folderOf(const std::string& target) {
    std::size_t slash = target.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        auto written = ::write(fd, at, static_cast<unsigned>(left < (1u << 30) ? left : (1u << 30)));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

bool flushToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

// The rename is only durable once the folder's entry list is on disk; a failure here does not undo
// the save, so it is not reported.
void flushFolderOf(const std::string& target) {
#ifndef _WIN32
    int fd = ::open(folderOf(target).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)target;
#endif
}

// A refusal decided before anything was written: the path, what is there and why it stays.
Outcome refusedTarget(int err, std::string_view path, const std::string& why) {
    Outcome result = failure(err, path);
    result.detail = result.description + ": " + std::string(path) + " " + why;
    return result;
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

Outcome SafeFileWriter::write(std::string_view bytes, bool cautionsAgreed) const {
    const SaveTarget found = inspectSaveTarget(m_targetPath);
    if (!found.refusal.empty()) return refusedTarget(found.refusalError, m_targetPath, found.refusal);
    if (!cautionsAgreed) {
        std::vector<std::string> cautions = saveCautions(m_targetPath, found);
        if (!cautions.empty()) {
            // Read-only is a permission; hard links and ownership are what the file would lose.
            Outcome result = failure(found.readOnly ? EACCES : EBUSY, m_targetPath);
            result.detail = result.description + ": ";
            for (const std::string& caution : cautions) result.detail += caution + " ";
            result.detail += "Nothing was written.";
            return result;
        }
    }
    const std::string& target = found.writePath;

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_BINARY, 0666);
        if (fd < 0 && errno != EEXIST) {
            const int err = errno;
            Outcome result = failure(err, m_targetPath);
            if (err == EACCES || err == EPERM || err == EROFS)
                result.detail = result.description + ": " + m_targetPath + " (the folder " + folderOf(target) +
                                " must be writable for the temporary file the save goes through: " +
                                std::generic_category().message(err) + ")";
            return result;
        }
    }
    if (fd < 0) return failure(EEXIST, m_targetPath);

    auto abandon = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return failure(err, m_targetPath);
    };
#ifndef _WIN32
    if (found.exists) {
        struct stat existing {};
        if (::stat(target.c_str(), &existing) == 0) {
            ::fchmod(fd, existing.st_mode & 07777);
            // Keeping the owner is best effort: only a privileged user may give a file away (the
            // user was told beforehand when it cannot be kept).
            if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
                [[maybe_unused]] int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
            }
        }
    }
#endif
    if (!writeAll(fd, bytes)) return abandon(errno);
    if (!flushToDisk(fd)) return abandon(errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);

    // Whatever took the target's place since the look above must not be renamed over either.
    const SaveTarget now = inspectSaveTarget(m_targetPath);
    if (!now.refusal.empty() || now.writePath != target) {
        ::unlink(temp.c_str());
        return refusedTarget(now.refusal.empty() ? EINVAL : now.refusalError, m_targetPath,
                             now.refusal.empty() ? "changed while it was being saved; nothing was written" : now.refusal);
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);
    if (ec) return abandon(ec.default_error_condition().value());
    flushFolderOf(target);
    return Outcome::success();
}

}  // namespace tally
