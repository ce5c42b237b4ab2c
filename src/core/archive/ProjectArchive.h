#pragma once
// What the archive commands offer to store: the rows of "Zip Project Files" for a project, the
// icon of each file, and the dated name of the backup "Zip && Save File" makes.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"

namespace tally {

struct ZipRow {
    std::string name;    // the file name
    std::string folder;  // its folder, without a closing separator
    std::string icon;
    bool checked = true;

    std::string path() const;  // folder + separator + name
};

// Whether a file exists (the disk's answer, or a test's).
using FileExists = std::function<bool(const std::string& path)>;

// The icon by the last three characters of the name, in any case ("ocx" gives "control").
std::string zipIconFor(std::string_view fileName);

// The row of a file when it exists; nothing otherwise.
std::optional<ZipRow> zipRowFor(const std::string& path, const FileExists& exists);

// The rows at loading: the project file, its workspace (.vbw), every member and, for a member with
// a binary companion, its .frx; files that do not exist are left out.
std::vector<ZipRow> projectZipRows(const ProjectModel& model, const FileExists& exists);

// " files to be added to the archive." after the count.
std::string zipCountText(int checked);

// BackupZipName: path without its extension + date ("m-d-yy") + the extension with its dot +
// ".Zip", with "~1", "~2", ... before ".Zip" while that name is taken.
std::string backupZipName(std::string_view path, int year, int month, int day, const FileExists& exists);

}  // namespace tally
