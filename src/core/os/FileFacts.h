#pragma once
// What the disk says about a file named in a project: whether it exists, its length and date.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// What one look at the disk tells about a path.
struct PathStatus {
    bool present = false;      // something exists at the path (a folder counts)
    bool regularFile = false;  // a regular file (or a link to one): what fileExists tests
    std::int64_t length = 0;   // of a regular file; 0 otherwise
    std::time_t modified = 0;  // last-modified time of a regular file; 0 otherwise

    // The last-modified time as fileModifiedOle gives it.
    double modifiedOle() const;
};

// Asks the disk once about a path; the tests below are each a part of this answer.
PathStatus pathStatus(std::string_view path);
// True when the path names an existing regular file (or a link to one).
bool fileExists(std::string_view path);
// The file's length in bytes; 0 when it cannot be read.
std::int64_t fileLength(std::string_view path);
// The file's last-modified time as an OLE date in local time; 0 (the zero date) when unknown.
double fileModifiedOle(std::string_view path);
// The whole file as bytes; nothing when it is not a regular file (see RegularFile.h), is larger than
// kLargestReadableFile, or cannot be read.
std::optional<std::string> readFileBytes(std::string_view path);
// The same for a path that `look`, a pathStatus of it earlier in the same task, found to be a
// regular file: it is opened without a second look first, and what was opened is checked as above
// (see RegularFile.h).
std::optional<std::string> readFileBytes(std::string_view path, const PathStatus& look);
// At most the first `limit` bytes of a regular file (all of it when it is shorter); nothing when it
// is not one or cannot be read. With a `look`, as readFileBytes takes one.
std::optional<std::string> readFileHead(std::string_view path, std::size_t limit);
std::optional<std::string> readFileHead(std::string_view path, std::size_t limit, const PathStatus& look);

// The device and file number of an existing file (links followed), so that two names of one file
// (a link, another spelling, a hard link) are seen to be the same file. Nothing when it is not there.
struct FileIdentity {
    unsigned long long device = 0, inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const std::string& path);

// `path` made absolute against the working folder and tidied ("a/./b/../c" gives ".../a/c"); as
// given when the working folder cannot be known.
std::string absolutePath(std::string_view path);

}  // namespace tally
