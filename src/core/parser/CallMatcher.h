#pragma once
// Finds the routine names that a code line calls. A line calls the name N when it contains N
// followed by "(", or a blank or "." followed by N, or begins with N followed by a blank, or is
// exactly N ("Call N" is covered by the blank rule). These are plain substring tests, without word
// boundaries: a name that begins or ends another identifier matches too, and so does the empty name
// on any line holding "(", " " or ".".
//
// The names of the project-wide routines are fixed for a whole pass; the names of the current file's
// own routines change per file. Instead of testing every name against the line, the matcher walks
// tries of the names from the few places where a match can begin or end.

#include <string_view>
#include <vector>

#include "core/parser/NameTrie.h"

namespace tally {

class CallMatcher {
public:
    // The names of the project-wide routines; ids are those of globalNames().
    explicit CallMatcher(const std::vector<std::string_view>& globalNames);

    // Sets the names of the current file's own routines; ids are those of fileNames().
    void setFileNames(const std::vector<std::string_view>& fileNames);

    // The project-wide names and the file's own names, with the ids match() reports.
    const NameTrie& globalNames() const { return m_globalForward; }
    const NameTrie& fileNames() const { return m_fileForward; }

    // The distinct ids of the global and of the file's names that `line` calls, in no fixed order.
    void match(std::string_view line, std::vector<int>& globalHits, std::vector<int>& fileHits);

private:
    NameTrie m_globalForward, m_globalBackward;
    NameTrie m_fileForward, m_fileBackward;
    std::vector<unsigned> m_globalStamps, m_fileStamps;
    unsigned m_stamp = 0;
};

}  // namespace tally
