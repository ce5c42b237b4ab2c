#include "core/os/SaveTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "core/os/RegularFile.h"

namespace tally {

namespace {

SaveTarget refused(int err, std::string text) {
    SaveTarget target;
    target.refusalError = err;
    target.refusal = std::move(text);
    return target;
}

std::string octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777);
    return text;
}

// The superuser may write anything, but a file someone made read-only is honoured as such.
bool writableByUs(const std::string& path, const struct stat& info) {
#ifdef _WIN32
    (void)path;
    return (info.st_mode & S_IWRITE) != 0;
#else
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
#ifdef AT_EACCESS
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
#else
    return ::access(path.c_str(), W_OK) == 0;
#endif
#endif
}

// Saving gives the new file to this user; only the superuser can hand it back to the old owner.
bool ownerWouldChange(const struct stat& info) {
#ifdef _WIN32
    (void)info;
    return false;
#else
    return ::geteuid() != 0 && info.st_uid != ::geteuid();
#endif
}

}  // namespace

SaveTarget inspectSaveTarget(std::string_view path) {
    const std::string given(path);
    if (given.empty() || given.find('\0') != std::string::npos)
        return refused(ENOENT, "is not a usable file name");
    if (given.back() == '/' || given.back() == '\\') return refused(EISDIR, "names a folder, not a file");

    std::string target = given;
#ifndef _WIN32
    struct stat link {};
    if (::lstat(given.c_str(), &link) != 0) {
        SaveTarget fresh;
        fresh.writePath = given;  // nothing there: a new file (a missing folder shows when writing)
        return fresh;
    }
    if (S_ISLNK(link.st_mode)) {
        // The link stays; the file it leads to takes the bytes, and only when that is a regular file.
        char resolved[PATH_MAX];
        if (::realpath(given.c_str(), resolved) == nullptr) {
            const int err = errno;
            if (err == ELOOP) return refused(ELOOP, "is a symbolic link loop; nothing was written");
            if (err == ENOENT)
                return refused(ENOENT, "is a link to a file that does not exist; nothing was written");
            return refused(
                err, "is a link that cannot be followed (" + std::generic_category().message(err) + ")");
        }
        target = resolved;
    }
#endif
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        const int err = errno;
        if (err == ENOENT) {
            SaveTarget fresh;
            fresh.writePath = given;
            return fresh;
        }
        return refused(err, "cannot be looked at (" + std::generic_category().message(err) + ")");
    }
    if (!S_ISREG(info.st_mode)) {
        const std::string kind = fileKindOf(static_cast<unsigned>(info.st_mode));
        const std::string through = target == given ? "" : " (through a link to " + target + ")";
        return refused(S_ISDIR(info.st_mode) ? EISDIR : EINVAL,
                       "is not a regular file but " + kind + through + "; nothing was written");
    }
    SaveTarget found;
    found.writePath = target;
    found.exists = true;
    found.mode = static_cast<unsigned>(info.st_mode & 07777);
    found.readOnly = !writableByUs(target, info);
    found.hardLinks = static_cast<long long>(info.st_nlink);
    found.ownerChanges = ownerWouldChange(info);
    return found;
}

std::vector<std::string> saveCautions(std::string_view path, const SaveTarget& target) {
    std::vector<std::string> cautions;
    if (!target.exists) return cautions;
    const std::string name(path);
    // A mode without any write bit is read-only for everyone; otherwise only this user may not write it.
    if (target.readOnly)
        cautions.push_back(
            name +
            ((target.mode & 0222) == 0 ? " is read-only (mode " : " may not be written by you (mode ") +
            octal(target.mode) + ").");
    if (target.hardLinks > 1)
        cautions.push_back(
            name + " has " + std::to_string(target.hardLinks) +
            " hard links; the saved file replaces it under this name only, and the other names "
            "keep the old contents.");
    if (target.ownerChanges)
        cautions.push_back(name + " belongs to another user; the saved file will belong to you.");
    return cautions;
}

}  // namespace tally
