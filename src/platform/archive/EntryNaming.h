#pragma once
// The names the found files are stored under. Without folder names an entry is the file name alone.
// With them it is the path below the base folder, and for a file outside the base folder (a project
// member reached through "..\") the path below the deepest folder all the files share: so no entry
// ever starts with "/" or holds "..", which unpacking would turn into a write outside the folder
// the user unpacks into.

#include <string>
#include <vector>

#include "platform/archive/FileFinder.h"

namespace tally::archive {

struct NamedFile {
    FoundFile file;
    std::string entryName;  // "/" between folders, as the disk spells them
};

struct EntryNaming {
    std::vector<NamedFile> files;    // one per entry name
    std::vector<std::string> notes;  // a line for each file that took the name of an earlier one
    // Each name two different files would share: "Util.bas (/p/Util.bas and /lib/Util.bas)".
    std::vector<std::string> clashes;
};

// Two files with one entry name keep the place of the first and the file of the last, as a later
// pattern is the user's later word.
EntryNaming nameEntries(std::vector<FoundFile> files, const std::string& basePath, bool storeFolderNames);

// A folder entry ("Forms/") and the folder on disk it stands for.
struct FolderEntry {
    std::string entryName;
    std::string folderPath;
};

// The folder entries an entry name needs, outermost first: "A/" and "A/B/" for "A/B/c.frm".
std::vector<FolderEntry> folderEntriesOf(const NamedFile& named);

}  // namespace tally::archive
