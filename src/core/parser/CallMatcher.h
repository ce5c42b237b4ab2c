#pragma once
// Finds the routine names that a code line calls. A line calls the name N when it contains N
// followed by "(", or a blank or "." followed by N, or begins with N followed by a blank, or is
// exactly N ("Call N" is covered by the blank rule). These are plain substring tests, without word
// boundaries: a name that begins or ends another identifier matches too, and so does the empty name
// on any line holding "(", " " or ".".
//
// The matcher holds every routine name of the project in one pair of tries, built once per pass.
// Two subsets of them count: the project-wide routines, fixed for the whole pass, and the current
// file's own routines, which change per file. Instead of testing every name against the line, the
// matcher walks the tries from the few places where a match can begin or end, and sorts each name it
// meets into the subsets it belongs to. Copies share the tries (which never change) and keep their
// own stamps, so that each thread of a pass reads lines with a copy of its own.

#include <memory>
#include <string_view>
#include <vector>

#include "core/support/NameTrie.h"

namespace tally {

class CallMatcher {
public:
    // All the names that either subset may hold; ids are those of names().
    explicit CallMatcher(const std::vector<std::string_view>& names);

    // The names, with the ids used everywhere else.
    const NameTrie& names() const { return *m_forward; }

    // Makes the names `ids` the project-wide ones.
    void setGlobalNames(const std::vector<int>& ids);
    // Makes the names `ids` (or ids[first, last)) the current file's own ones, replacing the last file's.
    void setFileNames(const int* first, const int* last);

    // The distinct ids of the project-wide and of the file's names that `line` calls, in no fixed order.
    // `around`, when given, is the text that holds the line (its file): it is read beside the line
    // but never searched.
    void match(std::string_view line, std::vector<int>& globalHits, std::vector<int>& fileHits,
               std::string_view around = {});

private:
    // Notes that `line` calls the name `id`.
    void hit(int id, std::vector<int>& globalHits, std::vector<int>& fileHits) {
        const auto k = static_cast<std::size_t>(id);
        if (m_lineStamps[k] == m_lineStamp) return;
        m_lineStamps[k] = m_lineStamp;
        if (m_global[k]) globalHits.push_back(id);
        if (m_fileStamps[k] == m_fileStamp) fileHits.push_back(id);
    }

    std::shared_ptr<const NameTrie> m_forward, m_backward;
    std::vector<char> m_global;          // per id: a project-wide name
    std::vector<unsigned> m_fileStamps;  // per id: equal to m_fileStamp for the file's own names
    std::vector<unsigned> m_lineStamps;  // per id: equal to m_lineStamp once met on this line
    unsigned m_fileStamp = 0, m_lineStamp = 0;
};

}  // namespace tally
