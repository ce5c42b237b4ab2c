#pragma once
// The archive file of a run: where it may be written, opening it with libzip, and committing or
// dropping the changes. libzip works on the archive's bytes in memory; a successful close leaves the
// new archive there, and the program's safe writer puts it in the old one's place whole (temporary
// file, flush, rename), as it writes every other file. Every way out that is not a successful
// commit drops the changes and leaves the file as it was.

#include <memory>
#include <string>

#include <zip.h>

#include "core/support/Outcome.h"
#include "platform/archive/LibzipCalls.h"
#include "platform/archive/ZipRunContext.h"

namespace tally::archive {

struct ZipDiscard {
    void operator()(zip_t* archive) const {
        if (archive) libzip().zip_discard(archive);
    }
};
struct ZipSourceFree {
    void operator()(zip_source_t* source) const {
        if (source) libzip().zip_source_free(source);
    }
};

// An open archive: libzip's handle, and the memory it reads the old archive from and writes the
// new one into.
struct ZipHandle {
    zip_t* get() const { return zip.get(); }
    // Drops the changes: the handle first, then what it read from and wrote into.
    void reset() {
        zip.reset();
        source.reset();
        oldBytes.reset();
    }

    std::unique_ptr<std::string> oldBytes;  // the archive as it was (none for a new one); the source reads it
    std::unique_ptr<zip_source_t, ZipSourceFree> source;  // kept past zip_close, which writes into it
    std::unique_ptr<zip_t, ZipDiscard> zip;  // declared last: discarded before the source and bytes go
};

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

// Writes the changes through the safe writer, or says why not; the old archive is untouched on any
// failure.
Outcome commitArchive(const ArchivePlace& place, ZipRunContext& context, ZipHandle& archive);

// Replaces the archive with one holding no entries. zip_close would remove the file instead, but a
// run that deletes every entry leaves an empty archive, not a missing one.
Outcome writeEmptyArchive(const ArchivePlace& place, ZipHandle& archive);

}  // namespace tally::archive
