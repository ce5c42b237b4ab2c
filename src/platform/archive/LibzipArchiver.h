#pragma once
// The archiver over libzip: adds files to a new or existing zip archive, freshens or updates its
// entries, or deletes entries, with the options of ZipOptions.
//
// What a run does beyond Archiver's promise:
// - updateOnlyIfNewer and freshenFiles compare with the entries of the archive there is, so they
//   open it as allowAppend does (a missing archive is made anew for an update, and fails a freshen);
// - a file is stored with its modification time and Unix permissions; times in a zip are kept in
//   steps of 2 seconds, so a file within 2 seconds of its entry is not newer;
// - the archive itself, when a wildcard matches it, is not stored in itself;
// - files over 1 GiB are refused, failing the run before anything is written.

#include "core/archive/Archiver.h"

namespace tally {

class LibzipArchiver final : public Archiver {
public:
    Outcome run(const std::string& zipFile, const ZipOptions& options,
                const std::vector<std::string>& patterns, const ZipEvents& events) override;
};

}  // namespace tally
