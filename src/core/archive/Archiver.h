#pragma once
// Making and changing zip archives: what the program asks of a zip library. The options are those
// of cZip; the library reports each file it takes, asks for a password when it encrypts, and
// passes on its messages, through the events.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/support/Outcome.h"

namespace tally {

struct ZipOptions {
    std::string basePath;  // the folder relative file patterns and stored names start from
    bool encrypt = false;  // AES-256 with the password PasswordRequest gives
    bool includeSystemAndHiddenFiles = false;  // wildcards also match hidden files (".name")
    bool storeVolumeLabel = false;  // no volume labels outside DOS: kept for the record only
    bool storeDirectories = false;  // folder entries ("Forms/") for the folders of stored names
    bool storeFolderNames = false;  // entry names keep their folders, else the file name alone
    bool recurseSubDirs = false;    // a wildcard also matches in every folder below its own
    bool updateOnlyIfNewer = false;  // an entry is replaced only by a newer file
    bool freshenFiles = false;       // only entries already in the archive are replaced (if newer)
    int messageLevel = 0;            // 0 every file and error, 1 errors only, 2 nothing
    bool convertCrLfToLf = false;
    bool convertLfToCrLf = false;
    bool allowAppend = false;   // add to an existing archive; otherwise a new archive replaces it
    bool deleteEntries = false;  // remove the entries the patterns name instead of adding
};

struct ZipEvents {
    // Progress: a file is about to be stored (its path as found); true asks the run to stop.
    std::function<bool(const std::string& file)> progress;
    // PasswordRequest: the password for encrypting `entry`; nothing cancels the run.
    std::function<std::optional<std::string>(const std::string& entry)> passwordRequest;
    // ZipMessage: a line the library reports ("  adding: Forms/frmMain.frm").
    std::function<void(const std::string& text)> message;
};

class Archiver {
public:
    virtual ~Archiver() = default;
    // Runs one operation over `patterns` (paths or wildcards). The archive is written whole
    // or not at all: a failed or cancelled run leaves the file under `zipFile` as it was.
    // A cancelled run fails with kZipCancelled.
    virtual Outcome run(const std::string& zipFile, const ZipOptions& options,
                        const std::vector<std::string>& patterns, const ZipEvents& events) = 0;
};

// The error number of a run the Progress event (or a refused password) stopped: the language's
// "User interrupt occurred".
inline constexpr int kZipCancelled = 18;

}  // namespace tally
