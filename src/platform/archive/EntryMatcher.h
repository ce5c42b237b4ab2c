#pragma once
// Which entries of an archive a pattern names when entries are deleted. The pattern is
// read as it would be when adding, and the entry names it would have given are matched, so that
// deleting "Forms\*.frm" takes away what adding "Forms\*.frm" stored; the files need not exist any
// more. A plain name also names the folder of that name with what it holds, as adding a folder
// stores its files.
//
// A file outside the base folder was stored below a folder that only the adding run knew (the one
// all its files shared), so for such a pattern an entry counts when its folders are the
// closing part of the pattern's folder: "..\Common\Util.bas" matches "Common/Util.bas" and
// "Util.bas".

#include <string>
#include <string_view>
#include <vector>

namespace tally::archive {

struct MatchRules {
    std::string basePath;
    bool storeFolderNames = false;
    bool recurse = false;  // a wildcard also matches in the folders below
    bool hidden = false;   // a wildcard also matches hidden names
};

class EntryMatcher {
public:
    EntryMatcher(const std::string& pattern, const MatchRules& rules);

    bool matches(std::string_view entryName) const;

private:
    bool inFolder(std::string_view folder, bool deeper) const;

    std::vector<std::string> m_folders;  // the entry folders the name may be in ("" for the top)
    std::string m_name;                  // the name, or the wildcard pattern for it
    bool m_wildcard = false;
    bool m_recurse = false;
    bool m_hidden = false;
};

}  // namespace tally::archive
