#pragma once
// The lines of a Project Scan File, one at a time, from a text already in memory or from the file
// itself read a block at a time. A scan file repeats every namesake's CalledBy list in full, so it
// can be many times the size of what it holds (360 MB for a 420k-line project whose lists together
// are a few megabytes); read in blocks, it never needs memory of its own size, and the first lines
// are read while the rest is still on disk.
//
// Every line end is accepted (CR LF, LF, or CR alone), as in the project's sources; a UTF-8 byte
// order mark before the first line is passed over.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/os/RegularFile.h"

namespace tally {

// "Path/File access error: <path> <reason>", for a scan file that could not be opened or read on.
std::string scanAccessErrorText(std::string_view path, const FileCheck& check, std::int64_t limit);

class ScanLineFeed {
public:
    // The lines of `text`, which must outlive the feed.
    explicit ScanLineFeed(std::string_view text);
    // The lines of an open file, of at most `limit` bytes in all, read `blockSize` bytes at a time
    // (more for a longer line); `path` names it in messages.
    ScanLineFeed(RegularFile& file, std::string path, std::int64_t limit, std::size_t blockSize = kBlockSize);

    // Large enough that moving a partial line to the front before each read costs little, small
    // enough that the memory is not noticed.
    static constexpr std::size_t kBlockSize = std::size_t{4} << 20;

    // The next line without its end, valid until the next call; nothing after the last line, or
    // when the file could not be read on (then failed() is true).
    std::optional<std::string_view> next();

    bool failed() const { return !m_failure.ok(); }
    // Why the file could not be read on: "Path/File access error: <path> <reason>".
    std::string failureText() const;

private:
    bool fill();  // reads the next block behind what is left unread; false on a failure
    void findLineFeed();
    std::string_view take(std::size_t from, std::size_t to, std::size_t resume);

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    const char* m_data = nullptr;  // the text, or m_block
    std::size_t m_pos = 0;         // where the next line starts
    std::size_t m_end = 0;         // the end of the bytes at hand
    std::size_t m_lf = kNone;      // an LF at or after m_pos, when one was found
    std::size_t m_searched = 0;    // no LF lies between m_pos and here, unless at m_lf
    bool m_atEnd = true;           // no bytes follow m_end
    bool m_markChecked = false;

    RegularFile* m_file = nullptr;
    std::string m_path;
    std::int64_t m_limit = 0;
    std::int64_t m_total = 0;
    std::unique_ptr<char[]> m_block;
    std::size_t m_blockSize = kBlockSize;
    std::size_t m_capacity = 0;
    FileCheck m_failure;
};

}  // namespace tally
