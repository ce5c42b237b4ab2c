#include "platform/archive/ArchiveFile.h"

#include <cstdio>

#include "core/os/SafeFileWriter.h"
#include "core/os/SaveTarget.h"
#include "core/os/SystemFiles.h"
#include "platform/archive/ArchivePaths.h"
#include "platform/archive/ZipFailure.h"

namespace tally::archive {

namespace {

int cancelRequested(zip_t*, void* state) {
    return static_cast<ZipRunContext*>(state)->cancelled() ? 1 : 0;
}

std::string modeText(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777);
    return text;
}

}  // namespace

Outcome placeArchive(const std::string& zipFile, ArchivePlace& place) {
    place.given = zipFile;
    if (zipFile.empty())
        return Outcome::failure(error::kPathNotFound, errorDescription(error::kPathNotFound),
                                "Path not found: no archive name was given");
    const SaveTarget target = inspectSaveTarget(zipFile);
    if (!target.refusal.empty()) return classicFailure(error::kPathFileAccessError, zipFile, target.refusal);
    if (target.exists && target.readOnly)
        return classicFailure(error::kPathFileAccessError, zipFile,
                              "is read-only (mode " + modeText(target.mode) + "); nothing was written");
    place.writePath = target.writePath;
    place.exists = target.exists;
    return Outcome::success();
}

Outcome openArchive(const ArchivePlace& place, int flags, ZipRunContext& context, ZipHandle& archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_file_create(place.writePath.c_str(), 0, -1, &error);
    zip_t* opened = source ? zip_open_from_source(source, flags, &error) : nullptr;
    if (!opened) {
        if (source) zip_source_free(source);
        Outcome failure = libzipFailure(&error, place.given);
        zip_error_fini(&error);
        return failure;
    }
    zip_error_fini(&error);
    archive.reset(opened);
    // The Progress event stops a run from inside zip_close, where libzip stores the files; this
    // makes libzip itself give up at its next step as well, whatever it is doing then.
    zip_register_cancel_callback_with_state(opened, &cancelRequested, nullptr, &context);
    return Outcome::success();
}

Outcome commitArchive(const ArchivePlace& place, ZipRunContext& context, ZipHandle& archive) {
    if (zip_close(archive.get()) == 0) {
        archive.release();  // zip_close freed it
        // libzip renames its temporary file into place without waiting for the disk. A backup
        // that the next step (saving the edited file) relies on must be on the disk first.
        sys::OpenFile written;
        if (written.openToRead(place.writePath) == 0) written.flushToDisk();
        sys::flushFolder(folderOf(place.writePath));
        return Outcome::success();
    }
    if (context.cancelled()) return cancelledRun();
    if (context.failure()) return *context.failure();
    return libzipFailure(zip_get_error(archive.get()), place.given);
}

Outcome writeEmptyArchive(const ArchivePlace& place, ZipHandle& archive) {
    archive.reset();
    // The end-of-central-directory record alone: the whole of an archive without entries.
    static constexpr char kEmptyArchive[22] = {'P', 'K', 5, 6};
    return SafeFileWriter(place.writePath).write(std::string_view(kEmptyArchive, sizeof kEmptyArchive), true);
}

}  // namespace tally::archive
