#include "platform/archive/EntryMatcher.h"

#include "platform/archive/ArchivePaths.h"
#include "platform/archive/NamePattern.h"

namespace tally::archive {

namespace {

// An entry's folder and name: "A/B/c.frm" gives "A/B" and "c.frm"; a folder entry "A/B/" gives
// "A" and "B".
std::pair<std::string_view, std::string_view> splitEntry(std::string_view entry) {
    if (!entry.empty() && entry.back() == '/') entry.remove_suffix(1);
    const std::size_t slash = entry.rfind('/');
    if (slash == std::string_view::npos) return {std::string_view(), entry};
    return {entry.substr(0, slash), entry.substr(slash + 1)};
}

// Whether any folder of `path` is hidden: a walk that adds no hidden names does not go into them.
bool anyHidden(std::string_view path) {
    for (const std::string& name : componentsOf(path))
        if (isHiddenName(name)) return true;
    return false;
}

}  // namespace

EntryMatcher::EntryMatcher(const std::string& pattern, const MatchRules& rules)
    : m_recurse(rules.recurse), m_hidden(rules.hidden) {
    const std::string path = absoluteUnder(withSlashes(pattern), rules.basePath);
    m_name = nameOf(path);
    m_wildcard = hasWildcards(m_name);
    if (!rules.storeFolderNames) {
        m_folders.emplace_back();
        return;
    }
    const std::string base =
        absoluteUnder(rules.basePath.empty() ? std::string(".") : withSlashes(rules.basePath), "");
    const std::string folder = folderOf(path);
    // Names start from the base folder, or, once a file of the run lay outside it, from the folder
    // all its files shared: the entry's folder is then some closing part of the file's folder.
    if (folder == base) {
        m_folders.emplace_back();
    } else if (auto below = relativeInside(folder, base)) {
        m_folders.push_back(*below);
    } else {
        m_folders.emplace_back();
    }
    const std::vector<std::string> names = componentsOf(withoutRoot(folder));
    std::string tail;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        tail = tail.empty() ? *it : *it + "/" + tail;
        m_folders.push_back(tail);
    }
}

bool EntryMatcher::inFolder(std::string_view folder, bool deeper) const {
    for (const std::string& wanted : m_folders) {
        if (folder == wanted) return true;
        if (!deeper) continue;
        std::string_view below;
        if (wanted.empty() && !folder.empty()) {
            below = folder;
        } else if (folder.size() > wanted.size() && folder.substr(0, wanted.size()) == wanted &&
                   folder[wanted.size()] == '/') {
            below = folder.substr(wanted.size() + 1);
        } else {
            continue;
        }
        if (m_hidden || !anyHidden(below)) return true;
    }
    return false;
}

bool EntryMatcher::matches(std::string_view entryName) const {
    const auto [folder, name] = splitEntry(entryName);
    if (name.empty()) return false;
    if (m_wildcard) {
        if (isHiddenName(name) && !m_hidden) return false;
        return matchesPattern(m_name, name) && inFolder(folder, m_recurse);
    }
    if (name == m_name && inFolder(folder, false)) return true;
    // The plain name as a folder: what it holds directly, or at any depth with recursion.
    for (const std::string& wanted : m_folders) {
        const std::string asFolder = wanted.empty() ? m_name : wanted + "/" + m_name;
        const bool inside = folder == asFolder ||
                            (m_recurse && folder.size() > asFolder.size() &&
                             folder.substr(0, asFolder.size()) == asFolder && folder[asFolder.size()] == '/');
        if (inside && (m_hidden || !isHiddenName(name))) return true;
    }
    return false;
}

}  // namespace tally::archive
