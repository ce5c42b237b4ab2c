// Storing files: the patterns expanded, the entry names given, and each file added to the
// archive or put in place of its entry, with the update and freshen rules; the files are read and
// written in zip_close, so the old archive stays as it was until the new one is whole.

#include <unordered_set>

#include "core/os/FileFacts.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/ArchivePaths.h"
#include "platform/archive/EntryNaming.h"
#include "platform/archive/EntrySource.h"
#include "platform/archive/FileFinder.h"
#include "platform/archive/LibzipCalls.h"
#include "platform/archive/ZipFailure.h"
#include "platform/archive/ZipRuns.h"

namespace tally::archive {

namespace {

// Unix file kinds and the DOS folder bit, for the external attributes of an entry.
constexpr zip_uint32_t kUnixRegular = 0100000;
constexpr zip_uint32_t kUnixFolder = 0040000;
constexpr zip_uint32_t kDosFolder = 0x10;

// Zip times go in steps of 2 seconds, so a file within 2 seconds of its entry is the same age.
bool isNewer(std::time_t file, std::time_t entry) {
    return file - entry > 2;
}

void forget(std::string& secret) {
    volatile char* bytes = secret.data();
    for (std::size_t i = 0; i < secret.size(); ++i) bytes[i] = 0;
    secret.clear();
}

class AddRun {
public:
    AddRun(const std::string& zipFile, const ZipOptions& options, ZipRunContext& context)
        : m_options(options), m_context(context) {
        m_place.given = zipFile;
    }

    Outcome run(const std::vector<std::string>& patterns);

private:
    Outcome gather(const std::vector<std::string>& patterns, EntryNaming& naming);
    Outcome open();
    Outcome storeFile(const NamedFile& named);
    Outcome storeFolders(const NamedFile& named);
    Outcome store(StoredEntry entry, zip_int64_t replacing, unsigned mode);
    Outcome lastZipError() { return libzipFailure(libzip().zip_get_error(m_archive.get()), m_place.given); }

    const ZipOptions& m_options;
    ZipRunContext& m_context;
    ArchivePlace m_place;
    ZipHandle m_archive;
    bool m_freshen = false, m_update = false;
    LineEndChange m_lineEnds = LineEndChange::None;
    std::unordered_set<std::string> m_folders;  // folder entries this run has looked at
    std::size_t m_changes = 0;
};

Outcome AddRun::gather(const std::vector<std::string>& patterns, EntryNaming& naming) {
    // A file named outright that is the archive itself would be lost: the new archive replaces it.
    const auto archiveIdentity = m_place.exists ? fileIdentity(m_place.writePath) : std::nullopt;
    if (archiveIdentity) {
        for (const std::string& pattern : patterns) {
            const std::string path = absoluteUnder(withSlashes(pattern), m_options.basePath);
            if (fileIdentity(path) == archiveIdentity)
                return classicFailure(error::kPathFileAccessError, m_place.given,
                                      "is one of the files to be stored; the archive would replace it");
        }
    }
    FoundFiles found = findFiles(patterns, FindRules{m_options.basePath, m_options.recurseSubDirs,
                                                     m_options.includeSystemAndHiddenFiles});
    for (const std::string& note : found.notes) m_context.warn("warning: " + note);

    // A wildcard in the archive's own folder matches the archive: storing it in itself would only
    // nest the old copy in the new one.
    std::vector<FoundFile> files;
    const auto self = m_place.exists ? fileIdentity(m_place.writePath) : std::nullopt;
    for (FoundFile& file : found.files) {
        if (self && FileIdentity{file.facts.device, file.facts.node} == *self) continue;
        if (file.facts.length > kLargestArchivedFile)
            return classicFailure(error::kPathFileAccessError, file.path,
                                  "is larger than " + std::to_string(kLargestArchivedFile >> 20) +
                                      " MB and is not stored; nothing was written");
        files.push_back(std::move(file));
    }
    if (files.empty())
        return Outcome::failure(
            error::kFileNotFound, errorDescription(error::kFileNotFound),
            "File not found: no file matches the patterns; " + m_place.given + " was not written");
    naming = nameEntries(std::move(files), m_options.basePath, m_options.storeFolderNames);
    // Two different files under one name: one of them would be missing from the archive without
    // anyone noticing, so nothing is written.
    if (!naming.clashes.empty())
        return classicFailure(error::kPathFileAccessError, m_place.given,
                              "would hold two files under one name: " + naming.clashes.front() +
                                  "; store path information or leave one out. Nothing was written");
    return Outcome::success();
}

Outcome AddRun::open() {
    // Update and freshen weigh the files against the entries there are, so they work on the
    // archive as it is; otherwise the new archive starts empty (and replaces the old one only in
    // zip_close, once it is whole).
    const bool keepEntries = m_options.allowAppend || m_update || m_freshen;
    if (m_freshen && !m_place.exists)
        return classicFailure(error::kFileNotFound, m_place.given,
                              "does not exist, so it has no entries to freshen");
    const int flags = keepEntries && m_place.exists ? ZIP_CREATE : ZIP_CREATE | ZIP_TRUNCATE;
    return openArchive(m_place, flags, m_context, m_archive);
}

Outcome AddRun::store(StoredEntry entry, zip_int64_t replacing, unsigned mode) {
    zip_t* archive = m_archive.get();
    const std::string name = entry.entryName;
    const std::time_t modified = entry.modified;
    const bool folder = entry.folder;
    zip_error_t error;
    libzip().zip_error_init(&error);
    zip_source_t* source = makeEntrySource(m_context, std::move(entry), &error);
    if (!source) {
        Outcome failure = libzipFailure(&error, m_place.given);
        libzip().zip_error_fini(&error);
        return failure;
    }
    libzip().zip_error_fini(&error);
    zip_int64_t index = replacing;
    if (replacing >= 0) {
        if (libzip().zip_file_replace(archive, static_cast<zip_uint64_t>(replacing), source, 0) < 0) {
            libzip().zip_source_free(source);
            return lastZipError();
        }
    } else {
        index = libzip().zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            libzip().zip_source_free(source);
            return lastZipError();
        }
    }
    const auto at = static_cast<zip_uint64_t>(index);
    const zip_uint32_t attributes =
        folder ? ((kUnixFolder | (mode & 07777)) << 16) | kDosFolder : (kUnixRegular | (mode & 07777)) << 16;
    if (libzip().zip_file_set_mtime(archive, at, modified, 0) < 0 ||
        libzip().zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX, attributes) < 0 ||
        (folder && libzip().zip_set_file_compression(archive, at, ZIP_CM_STORE, 0) < 0))
        return lastZipError();
    if (m_options.encrypt && !folder) {
        std::optional<std::string> password = m_context.passwordFor(name);
        if (!password) return cancelledRun();
        const int set = libzip().zip_file_set_encryption(archive, at, ZIP_EM_AES_256, password->c_str());
        forget(*password);  // libzip keeps its own copy until the close
        if (set < 0) return lastZipError();
    }
    ++m_changes;
    return Outcome::success();
}

Outcome AddRun::storeFolders(const NamedFile& named) {
    for (const FolderEntry& folder : folderEntriesOf(named)) {
        if (!m_folders.insert(folder.entryName).second) continue;
        if (libzip().zip_name_locate(m_archive.get(), folder.entryName.c_str(), 0) >= 0) continue;
        sys::EntryFacts facts;
        const bool known = sys::lookAt(folder.folderPath, facts) == 0;
        StoredEntry entry{folder.folderPath,
                          folder.entryName,
                          "  adding",
                          known ? facts.modified : named.file.facts.modified,
                          true,
                          LineEndChange::None};
        Outcome stored = store(std::move(entry), -1, known ? facts.mode : 0755);
        if (!stored) return stored;
    }
    return Outcome::success();
}

Outcome AddRun::storeFile(const NamedFile& named) {
    const zip_int64_t existing = libzip().zip_name_locate(m_archive.get(), named.entryName.c_str(), 0);
    if (existing < 0 && m_freshen) return Outcome::success();  // freshen adds no new entries
    if (existing >= 0 && (m_update || m_freshen)) {
        zip_stat_t entry;
        if (libzip().zip_stat_index(m_archive.get(), static_cast<zip_uint64_t>(existing), 0, &entry) == 0 &&
            (entry.valid & ZIP_STAT_MTIME) && !isNewer(named.file.facts.modified, entry.mtime)) {
            m_context.tell("skipping: " + named.entryName + " (not newer)");
            return Outcome::success();
        }
    }
    if (m_options.storeDirectories && m_options.storeFolderNames) {
        Outcome folders = storeFolders(named);
        if (!folders) return folders;
    }
    StoredEntry entry{named.file.path,           named.entryName, existing >= 0 ? "updating" : "  adding",
                      named.file.facts.modified, false,           m_lineEnds};
    return store(std::move(entry), existing, named.file.facts.mode);
}

Outcome AddRun::run(const std::vector<std::string>& patterns) {
    m_update = m_options.updateOnlyIfNewer;
    m_freshen = m_options.freshenFiles;
    m_lineEnds = lineEndChangeFor(m_options.convertCrLfToLf, m_options.convertLfToCrLf);
    if (m_options.encrypt && !libzip().zip_encryption_method_supported(ZIP_EM_AES_256, 1))
        return classicFailure(error::kPathFileAccessError, m_place.given,
                              "cannot be encrypted: the libzip this program uses was built without "
                              "AES-256 encryption; nothing was written");
    Outcome placed = placeArchive(m_place.given, m_place);
    if (!placed) return placed;
    EntryNaming naming;
    Outcome gathered = gather(patterns, naming);
    if (!gathered) return gathered;
    Outcome opened = open();
    if (!opened) return opened;
    for (const NamedFile& named : naming.files) {
        Outcome stored = storeFile(named);
        if (!stored) return stored;  // the handle discards every change made so far
    }
    if (m_changes == 0) return Outcome::success();  // every file skipped: the archive stays as it is
    return commitArchive(m_place, m_context, m_archive);
}

}  // namespace

Outcome addFiles(const std::string& zipFile, const ZipOptions& options,
                 const std::vector<std::string>& patterns, ZipRunContext& context) {
    AddRun run(zipFile, options, context);
    return run.run(patterns);
}

}  // namespace tally::archive
