#pragma once
// The operating system's file calls, the only ones the program makes: looking at a path, opening,
// reading, creating, writing, flushing, replacing and removing files, and a few process facts. One
// implementation per system (posix/, win32/); the rest of core/os builds its rules on these.
//
// Failures are error numbers of <cerrno> (ENOENT, EACCES, ELOOP, ...) on every system, so callers
// test one set; the Windows side translates its own codes. Paths are bytes as core keeps them: on
// POSIX passed as they are, on Windows read as UTF-8.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace tally::sys {

// The characters that end a folder name in a native path.
#ifdef _WIN32
inline constexpr const char* kPathSeparators = "/\\";
#else
inline constexpr const char* kPathSeparators = "/";
#endif

// What is at a path.
enum class EntryKind { Regular, Directory, Link, Fifo, CharacterDevice, BlockDevice, Socket, Other };

struct EntryFacts {
    EntryKind kind = EntryKind::Other;
    std::int64_t length = 0;   // bytes, for a regular file
    std::time_t modified = 0;  // last write, seconds since 1970 UTC
    unsigned mode = 0;         // permission bits (07777); on Windows 0444 or 0666 by the read-only flag
    long long hardLinks = 1;   // names the file has
    bool ownedByOther = false;  // belongs to another user, and this one cannot give it back
    unsigned long long owner = 0;  // user and group numbers (POSIX only)
    unsigned long long group = 0;
    unsigned long long device = 0;  // with `node`, tells two names of one file apart from two files
    unsigned long long node = 0;
};

// Looks at `path`, following links unless `followLinks` is false (then a link is EntryKind::Link).
// 0, or the error number.
int lookAt(const std::string& path, EntryFacts& facts, bool followLinks = true);

// Whether this user may write the regular file at `path`, which `facts` came from (a file with no
// write bit counts as read-only). Asked apart from lookAt: only a save needs it, and on POSIX it is
// a system call of its own, which a scan looking at every member many times would pay each time.
bool mayWrite(const std::string& path, const EntryFacts& facts);

// The path with every link resolved, for a path that exists; 0 or the error number (ELOOP, ENOENT).
int resolveLinks(const std::string& path, std::string& resolved);

// The path of an existing file with each of its names as the folder holds it ("c:\\APP\\frmmain.FRM"
// becomes "C:\\App\\frmMain.frm"), on Windows, where names of any case name the same file; the path
// as it is elsewhere, and for any part that cannot be looked up.
std::string spelledOnDisk(const std::string& path);

// An open file, closed with the object.
class OpenFile {
public:
    OpenFile() = default;
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // Opens for reading without blocking on a FIFO or a device, not inherited by child processes.
    int openToRead(const std::string& path);
    // Creates `path`, which must not exist yet, for writing.
    int createNew(const std::string& path);
    bool isOpen() const { return m_handle != kClosed; }

    // Facts of the open file (what the name leads to now).
    int lookAt(EntryFacts& facts) const;
    // At most `most` bytes into `into`: the count read (0 at the end), or minus the error number.
    long long readSome(char* into, std::size_t most);
    // All of `bytes`; 0 or the error number.
    int writeAll(std::string_view bytes);
    // Gives the file the permission bits, and where this user may, the owner, of `old`.
    void takeOverAccess(const EntryFacts& old);
    // Waits until the written bytes are on the disk; 0 or the error number.
    int flushToDisk();
    // 0 or the error number of the close (a write can fail only then on some file systems).
    int close();

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t m_handle = kClosed;  // a descriptor on POSIX, a HANDLE on Windows
};

// Puts `from` in the place of `to` in one step (replacing it); 0 or the error number.
int replaceFile(const std::string& from, const std::string& to);

// Removes the file at `path`; failures are not reported (used to clean up temporary files).
void removeFile(const std::string& path);

// Makes the entry list of `folder` durable after a rename, where the system needs it.
void flushFolder(const std::string& folder);

// Whether the standard error stream goes to a terminal (where a progress bar belongs).
bool standardErrorIsTerminal();

// The running process's number, for names no other process will choose.
long long processId();

// Asks the system to back a large block with large memory pages where it can, so that filling it
// takes a few page faults instead of one per 4 KB. Has no other effect.
void adviseLargePages(void* start, std::size_t bytes);

// The Windows folder and the system folder ("C:\\Windows\\", "C:\\Windows\\system32\\") with a
// closing separator, on Windows; empty on other systems, where a Wine prefix stands in for them.
std::string windowsFolder();
std::string systemFolder();

// The system's text for an error number.
std::string errorText(int error);

}  // namespace tally::sys
