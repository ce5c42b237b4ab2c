#include "platform/archive/ArchiveFile.h"

#include <cstdio>

#include "core/os/RegularFile.h"
#include "core/os/SafeFileWriter.h"
#include "core/os/SaveTarget.h"
#include "platform/archive/LibzipCalls.h"
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

// The largest archive a run reads into memory to add to or delete from.
constexpr std::int64_t kLargestArchive = std::int64_t{2} << 30;

// The end-of-central-directory record alone: the whole of an archive without entries.
constexpr char kEmptyArchive[22] = {'P', 'K', 5, 6};

// The bytes libzip left in `source` after a successful close.
bool readBack(zip_source_t* source, std::string& bytes) {
    if (libzip().zip_source_open(source) < 0) return false;
    char buffer[1 << 16];
    zip_int64_t got = 0;
    while ((got = libzip().zip_source_read(source, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    libzip().zip_source_close(source);
    return got == 0;
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
    archive.reset();
    zip_error_t error;
    libzip().zip_error_init(&error);
    // A run that starts a new archive needs none of the old one's bytes.
    if (place.exists && !(flags & ZIP_TRUNCATE)) {
        FileRead read = readRegularFile(place.writePath, kLargestArchive);
        if (!read.bytes)
            return classicFailure(error::kPathFileAccessError, place.given,
                                  refusalPhrase(read.check, kLargestArchive) + "; nothing was written");
        archive.oldBytes = std::make_unique<std::string>(std::move(*read.bytes));
    } else if (!place.exists && !(flags & ZIP_CREATE)) {
        libzip().zip_error_set(&error, ZIP_ER_NOENT, ENOENT);
        Outcome failure = libzipFailure(&error, place.given);
        libzip().zip_error_fini(&error);
        return failure;
    }
    const std::string* old = archive.oldBytes.get();
    zip_source_t* source =
        libzip().zip_source_buffer_create(old ? old->data() : nullptr, old ? old->size() : 0, 0, &error);
    if (source) {
        archive.source.reset(source);
        // zip_open_from_source takes one reference, the handle keeps the other.
        libzip().zip_source_keep(source);
        archive.zip.reset(libzip().zip_open_from_source(source, flags, &error));
        if (!archive.zip)
            libzip().zip_source_free(source);  // the reference zip_open_from_source did not take
    }
    if (!archive.zip) {
        Outcome failure = libzipFailure(&error, place.given);
        libzip().zip_error_fini(&error);
        archive.reset();
        return failure;
    }
    libzip().zip_error_fini(&error);
    // The Progress event stops a run from inside zip_close, where libzip stores the files; this
    // makes libzip itself give up at its next step as well, whatever it is doing then.
    libzip().zip_register_cancel_callback_with_state(archive.get(), &cancelRequested, nullptr, &context);
    return Outcome::success();
}

Outcome commitArchive(const ArchivePlace& place, ZipRunContext& context, ZipHandle& archive) {
    if (libzip().zip_close(archive.get()) != 0) {
        if (context.cancelled()) return cancelledRun();
        if (context.failure()) return *context.failure();
        return libzipFailure(libzip().zip_get_error(archive.get()), place.given);
    }
    archive.zip.release();  // zip_close freed it
    std::string bytes;
    if (!readBack(archive.source.get(), bytes))
        return classicFailure(error::kPathFileAccessError, place.given,
                              "could not be put together in memory; nothing was written");
    archive.reset();
    // libzip leaves no bytes for an archive without entries; an empty archive is still an archive.
    if (bytes.empty()) bytes.assign(kEmptyArchive, sizeof kEmptyArchive);
    // The place was checked before the run: a link was followed to its file, which is replaced.
    return SafeFileWriter(place.writePath).write(bytes, true);
}

Outcome writeEmptyArchive(const ArchivePlace& place, ZipHandle& archive) {
    archive.reset();
    return SafeFileWriter(place.writePath).write(std::string_view(kEmptyArchive, sizeof kEmptyArchive), true);
}

}  // namespace tally::archive
