#include "core/os/SaveTarget.h"

#include <cerrno>
#include <cstdio>

#include "core/os/RegularFile.h"
#include "core/os/SystemFiles.h"

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

SaveTarget freshFile(const std::string& path) {
    SaveTarget fresh;
    fresh.writePath = path;  // nothing there: a new file (a missing folder shows when writing)
    return fresh;
}

}  // namespace

SaveTarget inspectSaveTarget(std::string_view path) {
    const std::string given(path);
    if (given.empty() || given.find('\0') != std::string::npos)
        return refused(ENOENT, "is not a usable file name");
    if (given.back() == '/' || given.back() == '\\') return refused(EISDIR, "names a folder, not a file");

    std::string target = given;
    sys::EntryFacts link;
    if (sys::lookAt(given, link, false) != 0) return freshFile(given);
    if (link.kind == sys::EntryKind::Link) {
        // The link stays; the file it leads to takes the bytes, and only when that is a regular file.
        std::string resolved;
        if (const int err = sys::resolveLinks(given, resolved); err != 0) {
            if (err == ELOOP) return refused(ELOOP, "is a symbolic link loop; nothing was written");
            if (err == ENOENT)
                return refused(ENOENT, "is a link to a file that does not exist; nothing was written");
            return refused(err, "is a link that cannot be followed (" + sys::errorText(err) + ")");
        }
        target = resolved;
    }
    sys::EntryFacts info;
    if (const int err = sys::lookAt(target, info); err != 0) {
        if (err == ENOENT) return freshFile(given);
        return refused(err, "cannot be looked at (" + sys::errorText(err) + ")");
    }
    if (info.kind != sys::EntryKind::Regular) {
        const std::string kind = fileKindOf(info.kind);
        const std::string through = target == given ? "" : " (through a link to " + target + ")";
        return refused(info.kind == sys::EntryKind::Directory ? EISDIR : EINVAL,
                       "is not a regular file but " + kind + through + "; nothing was written");
    }
    SaveTarget found;
    found.writePath = target;
    found.exists = true;
    found.mode = info.mode;
    found.readOnly = !sys::mayWrite(target, info);
    found.hardLinks = info.hardLinks;
    found.ownerChanges = info.ownedByOther;
    found.facts = info;
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
