#include "core/os/RegularFile.h"

#include <algorithm>
#include <cerrno>

namespace tally {

namespace {

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

FileCheck fromFacts(const sys::EntryFacts& facts, std::int64_t limit) {
    FileCheck check;
    if (facts.kind == sys::EntryKind::Directory) {
        check.refusal = FileRefusal::Directory;
    } else if (facts.kind != sys::EntryKind::Regular) {
        check.refusal = FileRefusal::NotRegular;
        check.kind = fileKindOf(facts.kind);
    } else {
        check.length = facts.length;
        if (check.length > limit) check.refusal = FileRefusal::TooLarge;
    }
    return check;
}

}  // namespace

std::string fileKindOf(sys::EntryKind kind) {
    switch (kind) {
        case sys::EntryKind::Regular:
            return "a regular file";
        case sys::EntryKind::Directory:
            return "a directory";
        case sys::EntryKind::Link:
            return "a symbolic link";
        case sys::EntryKind::Fifo:
            return "a FIFO";
        case sys::EntryKind::CharacterDevice:
            return "a character device";
        case sys::EntryKind::BlockDevice:
            return "a block device";
        case sys::EntryKind::Socket:
            return "a socket";
        case sys::EntryKind::Other:
            break;
    }
    return "a special file";
}

FileCheck checkReadableFile(std::string_view path, std::int64_t limit) {
    sys::EntryFacts facts;
    const int err = sys::lookAt(std::string(path), facts);
    return err != 0 ? fromError(err) : fromFacts(facts, limit);
}

RegularFile::RegularFile(std::string_view path, std::int64_t limit) : m_limit(limit) {
    // A look first, so that a device is never opened at all (opening one can have effects of its
    // own); the open itself does not block, so a FIFO put in place meanwhile is refused below.
    m_check = checkReadableFile(path, limit);
    if (m_check.ok()) open(path);
}

RegularFile::RegularFile(std::string_view path, const PathStatus& look, std::int64_t limit) : m_limit(limit) {
    if (!look.regularFile) m_check = checkReadableFile(path, limit);
    if (m_check.ok()) open(path);
}

void RegularFile::open(std::string_view path) {
    if (int err = m_file.openToRead(std::string(path)); err != 0) {
        m_check = fromError(err);
        return;
    }
    sys::EntryFacts facts;
    const int err = m_file.lookAt(facts);
    m_check = err != 0 ? fromError(err) : fromFacts(facts, m_limit);
    if (!m_check.ok()) m_file.close();
}

RegularFile::~RegularFile() = default;

std::optional<std::string> RegularFile::readHead(std::size_t most) {
    if (!m_file.isOpen()) return std::nullopt;
    const std::size_t cap = std::min<std::size_t>(most, static_cast<std::size_t>(m_limit) + 1);
    std::string bytes;
    // One byte more than the length, so that the end is met by the first read.
    bytes.resize(std::min<std::size_t>(cap, static_cast<std::size_t>(m_check.length) + 1));
    std::size_t filled = 0;
    while (filled < cap) {
        if (filled == bytes.size()) bytes.resize(std::min(cap, std::max<std::size_t>(2 * filled, 1 << 16)));
        const std::size_t wanted = bytes.size() - filled;
        const long long got = m_file.readSome(bytes.data() + filled, wanted);
        if (got < 0) {
            m_check = fromError(static_cast<int>(-got));
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
            return "cannot be read (" + sys::errorText(check.error) + ")";
    }
    return {};
}

namespace {

FileRead readWhole(RegularFile& file, std::int64_t limit) {
    FileRead read;
    read.bytes = file.readHead(std::string::npos);
    read.check = file.check();
    if (read.bytes && static_cast<std::int64_t>(read.bytes->size()) > limit) {
        read.bytes.reset();
        read.check.refusal = FileRefusal::TooLarge;
    }
    return read;
}

}  // namespace

FileRead readRegularFile(std::string_view path, std::int64_t limit) {
    RegularFile file(path, limit);
    return readWhole(file, limit);
}

FileRead readRegularFile(std::string_view path, const PathStatus& look, std::int64_t limit) {
    RegularFile file(path, look, limit);
    return readWhole(file, limit);
}

}  // namespace tally
