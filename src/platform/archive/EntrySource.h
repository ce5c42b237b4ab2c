#pragma once
// The libzip source behind each stored entry. It reads its file only when libzip comes to store it,
// in zip_close: so a run holds one file in memory at a time however many it stores, and the
// Progress event (with its chance to stop the run) and the "  adding:" line come as each file is
// really stored, not all at once before the work.

#include <cstdint>
#include <ctime>
#include <string>

#include <zip.h>

#include "platform/archive/LineEnds.h"
#include "platform/archive/ZipRunContext.h"

namespace tally::archive {

// The largest file a run stores: far above any VB6 project's file, and low enough that a file
// (with its converted copy) always fits in memory.
inline constexpr std::int64_t kLargestArchivedFile = std::int64_t{1} << 30;

struct StoredEntry {
    std::string path;       // the file on disk; for a folder entry the folder (never read)
    std::string entryName;  // "Forms/Main.frm", or "Forms/" for a folder entry
    std::string verb;       // "  adding" or "updating", for the message line
    std::time_t modified = 0;
    bool folder = false;
    LineEndChange lineEnds = LineEndChange::None;
};

// A source for `entry` that reports to `context`, which must outlive it; null (with `error` set)
// when libzip cannot make one. The source is libzip's to free once added to an archive.
zip_source_t* makeEntrySource(ZipRunContext& context, StoredEntry entry, zip_error_t* error);

}  // namespace tally::archive
