// Deleting entries: each pattern read as the entry names it would have stored, the matching
// entries removed, and the archive written again without them.

#include <vector>

#include "platform/archive/ArchiveFile.h"
#include "platform/archive/EntryMatcher.h"
#include "platform/archive/LibzipCalls.h"
#include "platform/archive/ZipFailure.h"
#include "platform/archive/ZipRuns.h"

namespace tally::archive {

Outcome deleteEntries(const std::string& zipFile, const ZipOptions& options,
                      const std::vector<std::string>& patterns, ZipRunContext& context) {
    ArchivePlace place;
    Outcome placed = placeArchive(zipFile, place);
    if (!placed) return placed;
    if (!place.exists)
        return classicFailure(error::kFileNotFound, zipFile,
                              "does not exist, so it has no entries to delete");
    ZipHandle archive;
    Outcome opened = openArchive(place, 0, context, archive);
    if (!opened) return opened;

    const zip_int64_t count = libzip().zip_get_num_entries(archive.get(), 0);
    std::vector<std::string> names(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::size_t i = 0; i < names.size(); ++i)
        if (const char* name = libzip().zip_get_name(archive.get(), i, 0)) names[i] = name;
    std::vector<bool> removed(names.size(), false);
    std::size_t removedCount = 0;

    const MatchRules rules{options.basePath, options.storeFolderNames, options.recurseSubDirs,
                           options.includeSystemAndHiddenFiles};
    for (const std::string& pattern : patterns) {
        const EntryMatcher matcher(pattern, rules);
        bool matched = false;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i].empty() || !matcher.matches(names[i])) continue;
            matched = true;
            if (removed[i]) continue;
            if (libzip().zip_delete(archive.get(), i) < 0)
                return libzipFailure(libzip().zip_get_error(archive.get()), zipFile);
            removed[i] = true;
            ++removedCount;
            context.tell("deleting: " + names[i]);
        }
        if (!matched) context.warn("warning: no entry matches " + pattern);
    }
    if (removedCount == 0)
        return Outcome::failure(
            error::kFileNotFound, errorDescription(error::kFileNotFound),
            "File not found: no entry of " + zipFile + " matches the patterns; it was left as it was");
    std::size_t remaining = 0;
    for (std::size_t i = 0; i < names.size(); ++i) remaining += !names[i].empty() && !removed[i];
    if (remaining == 0) return writeEmptyArchive(place, archive);
    return commitArchive(place, context, archive);
}

}  // namespace tally::archive
