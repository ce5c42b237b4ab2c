#pragma once
// Source texts already read, handed on to a later reader so that one scan reads each file from disk
// once: the texts the declaration pass read go on to the call pass, and the members that the code
// page detection read whole go on to the declaration pass. The reader that takes a text still checks
// that the file is there when its turn comes, so a file removed in between is skipped as it would be
// without the cache. The cache holds a bounded number of bytes: texts kept beyond it would cost more
// in fresh memory than reading the file again costs, so those files are simply read again. For the
// call pass the budget is also at most a quarter of the project: for a small project the texts held
// would otherwise be as large as the model itself.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tally {

class SourceTextCache {
public:
    explicit SourceTextCache(std::size_t budgetBytes = kDefaultBudget) : m_budget(budgetBytes) {}

    // Keeps the bytes read for a path while they fit in the budget. A path kept again (a member
    // listed twice) counts once: its new bytes replace the old, or when they do not fit, neither is
    // kept and the reader reads the file itself.
    void keep(std::string_view path, std::string bytes) {
        std::string key(path);
        if (auto held = m_texts.find(key); held != m_texts.end()) {
            m_held -= held->second.size();
            m_texts.erase(held);
        }
        if (m_held + bytes.size() > m_budget) return;
        m_held += bytes.size();
        m_texts.emplace(std::move(key), std::move(bytes));
    }
    // Hands over the bytes kept for a path, once; nothing when none were kept.
    std::optional<std::string> take(std::string_view path) {
        auto found = m_texts.find(std::string(path));
        if (found == m_texts.end()) return std::nullopt;
        std::optional<std::string> bytes(std::move(found->second));
        m_texts.erase(found);
        return bytes;
    }
    // Lowers the budget to a quarter of the project's `totalBytes`, before anything is kept.
    void fitTo(long long totalBytes) {
        if (totalBytes >= 0) m_budget = std::min(m_budget, static_cast<std::size_t>(totalBytes) / 4);
    }
    void clear() {
        m_texts.clear();
        m_held = 0;
    }

    // Measured on projects of 23-33 MB: with members read ahead up to this budget, the CLI's peak
    // resident memory stays where it was; with four times as much it rose by up to a third of the
    // source's size, as the texts read ahead and the growing model shared the heap.
    static constexpr std::size_t kDefaultBudget = std::size_t{8} << 20;

private:
    std::size_t m_budget;
    std::size_t m_held = 0;
    std::unordered_map<std::string, std::string> m_texts;
};

}  // namespace tally
