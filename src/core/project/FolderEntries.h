#pragma once
// The names in the folders of a project, each folder listed once per open, found as Windows finds
// them: without regard to case. Looking a name up then needs no look at the disk per file (most
// sources have no .frx companion), and a project with thousands of missing members stays linear.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/text/TextCodec.h"

namespace tally {

// The name folded as Windows folds file names for comparison: ASCII and the Windows-1252 letters
// (À…Þ, Š, Œ, Ž, Ÿ) to lower case, bytes taken as Windows-1252. In a double-byte code page (932,
// 936, 949, 950) only the ASCII letters that are characters of their own fold: a trail byte that
// looks like a letter is half of another character, and a lead byte is no accented letter.
std::string foldedFileName(std::string_view name, int codePage = kCodePageWestern);

// True when a name written in a project file (in `codePage`) names the directory entry `diskName`
// as Windows would see it: equal after folding, either as bytes or, in a single-byte page, after
// reading the disk's name as UTF-8 and writing it in Windows-1252.
bool sameFileName(std::string_view projectName, std::string_view diskName, int codePage = kCodePageWestern);

class FolderEntries {
public:
    // Names compared as the project file's code page `codePage` folds them.
    explicit FolderEntries(int codePage = kCodePageWestern) : m_codePage(codePage) {}
    int codePage() const { return m_codePage; }

    // The entry of `folder` that the project's `name` means: the name itself when the folder holds
    // it, else the smallest entry that sameFileName accepts (so the choice does not depend on the
    // order of the directory), else the empty text. Nothing when the folder cannot be listed.
    std::optional<std::string> entryOf(const std::string& folder, std::string_view name);

    // The disk's spelling of a plain absolute path whose folder is spelled as on disk, found by its
    // last component; empty when the folder holds no such entry. A path that cannot be split or
    // whose folder cannot be listed comes back unchanged (then the disk decides).
    std::string spelledOnDisk(std::string_view path);

    // False when `path` certainly names nothing, not even under another case.
    bool mayExist(std::string_view path) { return !spelledOnDisk(path).empty(); }

private:
    struct Listing {
        bool listed = false;
        std::unordered_set<std::string> names;
        std::unordered_map<std::string, std::string> byFoldedName;  // the smallest entry of each key
    };
    const Listing& listingOf(const std::string& folder);

    int m_codePage;
    std::unordered_map<std::string, Listing> m_folders;
};

// True when `path`, or the same path under another case of its last component, names an existing
// regular file; asks the disk only when `folders` cannot rule it out.
bool fileExists(FolderEntries& folders, std::string_view path);

}  // namespace tally
