#include "platform/archive/FileFinder.h"

#include <set>
#include <unordered_set>
#include <utility>

#include "core/os/RegularFile.h"
#include "platform/archive/ArchivePaths.h"
#include "platform/archive/DiskSpelling.h"
#include "platform/archive/FolderListing.h"
#include "platform/archive/NamePattern.h"

namespace tally::archive {

namespace {

class Finder {
public:
    explicit Finder(const FindRules& rules) : m_rules(rules) {}

    void expand(const std::string& pattern);
    FoundFiles take() { return std::move(m_result); }

private:
    void walk(const std::string& folder, const std::string& pattern);
    void add(const std::string& path, const sys::EntryFacts& facts);

    const FindRules& m_rules;
    DiskSpelling m_spelling;
    FoundFiles m_result;
    std::unordered_set<std::string> m_taken;
    bool m_matched = false;  // the current pattern found a file (new or already taken)
};

void Finder::add(const std::string& path, const sys::EntryFacts& facts) {
    m_matched = true;
    if (m_taken.insert(path).second) m_result.files.push_back(FoundFile{path, facts});
}

void Finder::walk(const std::string& start, const std::string& pattern) {
    // Folder by folder without recursion of the call stack, so a deep tree cannot exhaust it; a
    // folder met twice (a bind mount of its own parent) is read once.
    std::set<std::pair<unsigned long long, unsigned long long>> seen;
    std::vector<std::string> pending{start};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        sys::EntryFacts facts;
        if (sys::lookAt(folder, facts) != 0 || facts.kind != sys::EntryKind::Directory) continue;
        if (!seen.emplace(facts.device, facts.node).second) continue;
        const std::vector<ListedName> names = listFolder(folder);
        std::vector<std::string> below;
        for (const ListedName& listed : names) {
            if (isHiddenName(listed.name) && !m_rules.hidden) continue;
            const std::string path = joinPath(folder, listed.name);
            if (listed.regularFile && matchesPattern(pattern, listed.name)) {
                sys::EntryFacts fileFacts;
                if (sys::lookAt(path, fileFacts) == 0 && fileFacts.kind == sys::EntryKind::Regular)
                    add(path, fileFacts);
            } else if (listed.folder && m_rules.recurse) {
                below.push_back(path);
            }
        }
        // Pushed last first, so the folders below are walked in their sorted order.
        for (auto it = below.rbegin(); it != below.rend(); ++it) pending.push_back(std::move(*it));
    }
}

void Finder::expand(const std::string& pattern) {
    m_matched = false;
    const std::string text = withSlashes(pattern);
    if (text.empty()) {
        m_result.notes.push_back("an empty file name matches no file");
        return;
    }
    const bool namesFolder = text.back() == '/';
    const std::string path = absoluteUnder(text, m_rules.basePath);
    const std::string name = nameOf(path);
    // "*" and "?" are legal in file names here: a file of exactly that name is the file meant, not
    // a pattern that would sweep in its neighbours.
    sys::EntryFacts exact;
    const bool literal = sys::lookAt(path, exact) == 0 && exact.kind == sys::EntryKind::Regular;
    if (!namesFolder && hasWildcards(name) && !literal) {
        walk(m_spelling.spell(folderOf(path)), name);
    } else {
        sys::EntryFacts facts;
        const int err = sys::lookAt(path, facts);
        if (err != 0) {
            m_result.notes.push_back("no file matches " + pattern);
            return;
        }
        if (facts.kind == sys::EntryKind::Directory) {
            walk(m_spelling.spell(path), "*");
        } else if (facts.kind == sys::EntryKind::Regular) {
            if (!namesFolder) add(m_spelling.spell(path), facts);  // "a.frm/" names no folder
        } else {
            m_result.notes.push_back(pattern + " is not a regular file but " + fileKindOf(facts.kind) +
                                     "; it is not stored");
            return;
        }
    }
    if (!m_matched) m_result.notes.push_back("no file matches " + pattern);
}

}  // namespace

FoundFiles findFiles(const std::vector<std::string>& patterns, const FindRules& rules) {
    Finder finder(rules);
    for (const std::string& pattern : patterns) finder.expand(pattern);
    return finder.take();
}

}  // namespace tally::archive
