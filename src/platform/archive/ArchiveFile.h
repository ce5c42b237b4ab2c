#pragma once
// The archive file of a run: where it may be written, opening it with libzip, and committing or
// dropping the changes. libzip writes a new archive to a temporary file beside the old one and
// renames it into place in zip_close, so the file is replaced whole or not at all; every way out
// that is not a successful close discards the changes, which removes the temporary file too.

#include <memory>
#include <string>

#include <zip.h>

#include "core/support/Outcome.h"
#include "platform/archive/ZipRunContext.h"

namespace tally::archive {

struct ZipDiscard {
    void operator()(zip_t* archive) const {
        if (archive) zip_discard(archive);
    }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

struct ArchivePlace {
    std::string given;      // the archive's name as the caller wrote it, for messages
    std::string writePath;  // the file that is written: a link's target for a link
    bool exists = false;
};

// Where `zipFile` may be written: refused (75) when it is not a regular file (a folder, FIFO,
// device, or a link to one) or is read-only; a link leads to the file it names.
Outcome placeArchive(const std::string& zipFile, ArchivePlace& place);

// Opens the archive at `place` with zip_open's `flags`, with the cancel callback tied to `context`.
Outcome openArchive(const ArchivePlace& place, int flags, ZipRunContext& context, ZipHandle& archive);

// Writes the changes (releasing the handle), or says why not; on failure the handle still owns the
// archive, and dropping it discards the changes and libzip's temporary file.
Outcome commitArchive(const ArchivePlace& place, ZipRunContext& context, ZipHandle& archive);

// Replaces the archive with one holding no entries. zip_close would remove the file instead, but a
// run that deletes every entry leaves an empty archive, not a missing one.
Outcome writeEmptyArchive(const ArchivePlace& place, ZipHandle& archive);

}  // namespace tally::archive
