#pragma once
// The one place that decides whether a path may be read as a file: only a regular file (also through
// a link) of at most a set size. Project files, members, companions and scan files are opened here,
// so a FIFO cannot block the open, a device cannot feed bytes for ever and a huge file cannot eat the
// memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/os/FileFacts.h"
#include "core/os/SystemFiles.h"

namespace tally {

// Far above any real VB6 source or project file (the largest seen are a few megabytes).
inline constexpr std::int64_t kLargestReadableFile = std::int64_t{256} << 20;

// Why a path could not be opened for reading.
enum class FileRefusal {
    None,
    Missing,   // nothing at the path (or a link to nothing)
    LinkLoop,  // links that lead back to themselves
    Directory,
    NotRegular,  // a FIFO, device or socket
    TooLarge,
    Unreadable,  // the system refused the open or the read
};

// What a look at a path found: the file kind, and for a regular file its length.
struct FileCheck {
    FileRefusal refusal = FileRefusal::None;
    int error = 0;     // the system's error number behind Missing, LinkLoop or Unreadable
    std::string kind;  // "a FIFO", "a character device", ... for NotRegular
    std::int64_t length = 0;

    bool ok() const { return refusal == FileRefusal::None; }
};

// The kind of a file as a phrase: "a directory", "a FIFO", "a socket", ...
std::string fileKindOf(sys::EntryKind kind);

// A regular file opened for reading (without blocking on a FIFO or a device), closed with the object.
class RegularFile {
public:
    // Opens `path` when it is a regular file of at most `limit` bytes; otherwise check() says why.
    explicit RegularFile(std::string_view path, std::int64_t limit = kLargestReadableFile);
    // The same for a path that `look` (a pathStatus of it earlier in the same task) found to be a
    // regular file: the path is opened without being looked at again first. What was opened is still
    // checked before a byte is read, so a path that became a FIFO or a device since is refused as
    // above; such a path is then opened (without blocking) where a fresh look would have spared it.
    // A look that found no regular file is made again, so the refusal says what is there now.
    RegularFile(std::string_view path, const PathStatus& look, std::int64_t limit = kLargestReadableFile);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    const FileCheck& check() const { return m_check; }
    // At most `most` bytes from where the last read ended: the count (0 at the end), or minus the
    // system's error number.
    long long readSome(char* into, std::size_t most) { return m_file.readSome(into, most); }
    // Reads at most `most` bytes from the start (all of the file when shorter); nothing on a read
    // error. A file that grew past the limit since the open is cut at the limit plus one byte, so the
    // caller can tell.
    std::optional<std::string> readHead(std::size_t most);

private:
    void open(std::string_view path);

    FileCheck m_check;
    std::int64_t m_limit;
    sys::OpenFile m_file;
};

// Looks at a path without opening it: the same answer RegularFile would give.
FileCheck checkReadableFile(std::string_view path, std::int64_t limit = kLargestReadableFile);

// The reason as a phrase after the path: "is not a regular file (a FIFO)", "is a directory",
// "is a symbolic link loop", "does not exist", "is larger than 256 MB", "cannot be read (...)".
std::string refusalPhrase(const FileCheck& check, std::int64_t limit = kLargestReadableFile);

// The whole regular file at `path` (at most `limit` bytes), or the reason it was not read.
struct FileRead {
    std::optional<std::string> bytes;
    FileCheck check;
};
FileRead readRegularFile(std::string_view path, std::int64_t limit = kLargestReadableFile);
// The same after a look at the path (see the RegularFile constructor that takes one).
FileRead readRegularFile(std::string_view path, const PathStatus& look, std::int64_t limit = kLargestReadableFile);

}  // namespace tally
