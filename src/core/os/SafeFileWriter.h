#pragma once
// Replaces a file's contents so that the file is either wholly old or wholly new: the bytes go to a
// temporary file beside the target, reach the disk, and only then take the target's place. Scan
// files and edited sources are saved this way, so a failed save never costs the user the old file.

#include <functional>
#include <string>
#include <string_view>

#include "core/support/Outcome.h"

namespace tally {

// Where a streamed write puts its bytes, piece by piece, on their way to the temporary file.
class SafeWriteStream {
public:
    virtual ~SafeWriteStream() = default;
    // Adds bytes to the file. After a failed write the rest are dropped; the write reports the failure.
    virtual void add(std::string_view bytes) = 0;
    // Whether a write has failed, so that a producer may stop early.
    virtual bool failed() const = 0;
};

// Writes whole files safely; one writer serves one target path.
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string targetPath);

    // Replaces the target with `bytes` (creating it when missing). A link is written through to the
    // regular file it leads to; anything that is not a regular file (a device, FIFO, socket or
    // folder) is refused and left alone. A replaced file keeps its permissions (and, where allowed,
    // its owner). A target with cautions (read-only, hard-linked, another user's; see SaveTarget.h)
    // is refused unless `cautionsAgreed`. On failure the target is left as it was and no temporary
    // file remains, and the outcome names the classic error (76 "Path not found", 70 "Permission
    // denied", 61 "Disk full", 57 "Device I/O error", 75 "Path/File access error") with a detail
    // naming the path and the system's reason.
    Outcome write(std::string_view bytes, bool cautionsAgreed = false) const;
    // The same for bytes that `produce` hands to the stream as it makes them, so that a large file
    // (a scan file of many namesakes runs to hundreds of megabytes) never stands whole in memory.
    // The target is replaced only when every piece reached the disk; should `produce` throw, the
    // temporary file is removed and the exception goes on.
    Outcome writeStreamed(const std::function<void(SafeWriteStream&)>& produce, bool cautionsAgreed = false) const;

    const std::string& targetPath() const { return m_targetPath; }

private:
    std::string m_targetPath;
};

// The steps of a safe write after the target was looked at.
enum class SafeWriteStep { CreateTemporary, Write, Flush, Close, Replace };

// For tests: the next safe write on this thread fails at `step` with the error number `err`, as
// though the system had answered so, and goes through its usual clean-up. Only the next write.
void failNextSafeWrite(SafeWriteStep step, int err);

}  // namespace tally
