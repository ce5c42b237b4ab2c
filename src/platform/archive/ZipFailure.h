#pragma once
// The outcomes a zip run fails with: the classic error numbers, their descriptions, and a detail
// naming the path and the reason, whether the system, libzip or the run itself gave it.

#include <string>

#include <zip.h>

#include "core/os/RegularFile.h"
#include "core/support/Outcome.h"

namespace tally::archive {

// The description users know an error number by ("File not found").
std::string errorDescription(int number);

// A failure with `number`, its detail reading "File not found: /p/a.zip does not exist".
Outcome classicFailure(int number, const std::string& path, const std::string& why);

// A failure the system reported with `err` (an errno value) at `path`. `missing` is the number for
// ENOENT: 53 for a file that was to be read, 76 for a folder that was to be written in.
Outcome systemFailure(int err, const std::string& path, int missing);

// A failure libzip reported, numbered by its kind: the archive's format (321), the files (by the
// system's error), a cancel (18). The detail carries libzip's own words.
Outcome libzipFailure(zip_error_t* error, const std::string& path);

// A file that could not be read for storing, as the look at it (or the read) found; `limit` is the
// largest file a run stores.
Outcome unreadableFile(const FileCheck& check, const std::string& path, std::int64_t limit);

// The outcome of a run the user stopped.
Outcome cancelledRun();

}  // namespace tally::archive
