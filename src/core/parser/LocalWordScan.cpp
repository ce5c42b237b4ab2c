#include "core/parser/LocalWordScan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "core/text/FindBytes.h"

namespace tally {

namespace {

enum CharClass : unsigned char { kOther, kName, kLineFeed, kApostrophe, kQuote };

constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c)
        classes[static_cast<std::size_t>(c)] = isLocalNameChar(static_cast<char>(c)) ? kName : kOther;
    classes['\n'] = kLineFeed;
    classes['\''] = kApostrophe;
    classes['"'] = kQuote;
    return classes;
}();

unsigned char classOf(char c) {
    return kClasses[static_cast<unsigned char>(c)];
}

// The candidates' distinct words in a small open table. Every name of the text is looked up, so the
// key is a hash of a name's first and last eight bytes, and most names are turned away before it by
// their first byte and length together: one load and one test, inlined where the text is read.
class WordTable {
public:
    // Makes the table that of `words`, letting go of the words it held.
    void fill(const std::vector<std::string_view>& words) {
        // The words' texts may be gone by now; their first bytes were kept.
        for (unsigned char first : m_firstBytes) {
            m_singleByteEntry[first] = -1;
            m_lengthsByFirstByte[first] = 0;
        }
        m_firstBytes.clear();
        m_words.clear();
        m_entryOf.clear();
        std::size_t slots = 16;
        while (slots < 2 * words.size()) slots *= 2;
        m_slots.assign(slots, -1);
        for (std::string_view word : words) {
            if (word.empty()) {
                m_entryOf.push_back(-1);
                continue;
            }
            int entry = find(word);
            if (entry < 0) {
                entry = static_cast<int>(m_words.size());
                std::size_t slot = hash(word) & (m_slots.size() - 1);
                while (m_slots[slot] >= 0) slot = (slot + 1) & (m_slots.size() - 1);
                m_slots[slot] = entry;
                m_words.push_back(word);
                m_firstBytes.push_back(static_cast<unsigned char>(word[0]));
                if (word.size() == 1)
                    m_singleByteEntry[static_cast<unsigned char>(word[0])] = entry;
                else
                    m_lengthsByFirstByte[static_cast<unsigned char>(word[0])] |= lengthBit(word.size());
            }
            m_entryOf.push_back(entry);
        }
    }

    std::size_t size() const { return m_words.size(); }
    int entryOf(std::size_t candidate) const { return m_entryOf[candidate]; }
    std::string_view word(std::size_t entry) const { return m_words[entry]; }

    // The entry of a name of the text, or -1.
    int find(std::string_view name) const {
        // One-letter locals (i, x, r) are the commonest, and their byte is their entry.
        if (name.size() == 1) return m_singleByteEntry[static_cast<unsigned char>(name[0])];
        if (!(m_lengthsByFirstByte[static_cast<unsigned char>(name[0])] & lengthBit(name.size()))) return -1;
        return findInSlots(name);
    }

private:
    // One bit per length up to 63; longer names share the last.
    static std::uint64_t lengthBit(std::size_t length) { return std::uint64_t{1} << std::min<std::size_t>(length, 63); }

    int findInSlots(std::string_view name) const {
        for (std::size_t slot = hash(name) & (m_slots.size() - 1);; slot = (slot + 1) & (m_slots.size() - 1)) {
            const int entry = m_slots[slot];
            if (entry < 0 || m_words[static_cast<std::size_t>(entry)] == name) return entry;
        }
    }

    static std::uint64_t hash(std::string_view word) {
        // Copies of a fixed eight bytes compile to plain loads; shorter names are gathered byte by byte.
        std::uint64_t head = 0, tail = 0;
        if (word.size() >= 8) {
            std::memcpy(&head, word.data(), 8);
            std::memcpy(&tail, word.data() + word.size() - 8, 8);
        } else {
            for (char c : word) head = head << 8 | static_cast<unsigned char>(c);
            tail = head;
        }
        const std::uint64_t mixed = head * 0x9E3779B97F4A7C15ULL ^ (tail + word.size()) * 0xC2B2AE3D27D4EB4FULL;
        return mixed ^ (mixed >> 29);
    }

    std::vector<std::string_view> m_words;
    std::vector<int> m_slots;     // entries, -1 where free; a power of two long
    std::vector<int> m_entryOf;   // the entry of each candidate, -1 for an empty word
    std::vector<unsigned char> m_firstBytes;  // the first byte of each word, for the next fill()
    // For each first byte, the lengths of the longer words that begin with it, as lengthBit gives them.
    std::array<std::uint64_t, 256> m_lengthsByFirstByte{};
    // For each byte, the entry of the one-byte word it is, or -1.
    std::array<int, 256> m_singleByteEntry = [] {
        std::array<int, 256> none{};
        none.fill(-1);
        return none;
    }();
};

// What the line read so far holds that decides whether a name on it is a use.
struct LineState {
    bool apostrophe = false;               // an apostrophe anywhere before
    bool apostropheSinceQuote = false;     // an apostrophe after the last quote
    bool apostropheInLastLiteral = false;  // an apostrophe between the last two quotes
    int quotes = 0;

    bool isUse() const { return !apostrophe || (quotes >= 2 && apostropheInLastLiteral); }
};

// Once no more than eight words are left unused, the rest of the text is searched for those alone
// rather than read name by name: a search skips sixteen bytes at a time by a word's first and last
// bytes (on the forms profile a third of the text judged is then skipped). Words shorter than
// three bytes recur too often for that, and a short rest is read as before.
constexpr std::size_t kSearchedWhenLeft = 8;
constexpr std::size_t kShortestSearchedWord = 3;
constexpr std::size_t kShortestSearchedRest = 256;

bool searchable(const WordTable& table, const std::vector<LocalVerdict>& found) {
    for (std::size_t entry = 0; entry < found.size(); ++entry)
        if (found[entry] != LocalVerdict::Used && table.word(entry).size() < kShortestSearchedWord)
            return false;
    return true;
}

// The verdicts of the words not yet used, judged on from `from`, the end of a name of the text.
void judgeRestBySearch(std::string_view text, std::size_t from, const WordTable& table,
                       std::vector<LocalVerdict>& found) {
    for (std::size_t entry = 0; entry < found.size(); ++entry) {
        LocalVerdict& verdict = found[entry];
        if (verdict == LocalVerdict::Used) continue;
        const std::string_view word = table.word(entry);
        for (std::size_t at = findBytes(text, word, from); at != std::string_view::npos;
             at = findBytes(text, word, at + 1)) {
            const std::size_t after = at + word.size();
            if ((at > 0 && isLocalNameChar(text[at - 1])) ||
                (after < text.size() && isLocalNameChar(text[after])))
                continue;
            if (verdict == LocalVerdict::NotFound) {
                verdict = LocalVerdict::Unused;  // the declaration
                continue;
            }
            const std::size_t newline = text.rfind('\n', at);
            const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
            if (isLocalUse(text.substr(lineStart, at - lineStart))) {
                verdict = LocalVerdict::Used;
                break;
            }
            verdict = LocalVerdict::OnlyInComments;
        }
    }
}

}  // namespace

bool isLocalUse(std::string_view before) {
    if (before.find('\'') == std::string_view::npos) return true;
    const std::size_t close = before.rfind('"');
    if (close == std::string_view::npos || close == 0) return false;
    const std::size_t open = before.rfind('"', close - 1);
    if (open == std::string_view::npos) return false;
    return before.substr(open + 1, close - open - 1).find('\'') != std::string_view::npos;
}

struct LocalWordJudge::Table : WordTable {};

LocalWordJudge::LocalWordJudge() : m_table(std::make_unique<Table>()) {}
LocalWordJudge::~LocalWordJudge() = default;

void LocalWordJudge::judge(std::string_view text, const std::vector<std::string_view>& words,
                           std::vector<LocalVerdict>& verdicts) {
    WordTable& table = *m_table;
    table.fill(words);
    std::vector<LocalVerdict>& found = m_found;
    found.assign(table.size(), LocalVerdict::NotFound);
    LineState line;
    const std::size_t n = text.size();
    std::size_t unused = table.size();  // words not used so far
    bool searched = false;
    for (std::size_t i = 0; i < n && !searched;) {
        // The blanks, operators and punctuation between names are passed over in a loop
        // of their own: a third of a routine's bytes, each otherwise a trip through the dispatch.
        unsigned char kind = classOf(text[i]);
        while (kind == kOther) {
            if (++i == n) break;
            kind = classOf(text[i]);
        }
        if (i == n) break;
        switch (kind) {
            case kLineFeed:
                line = LineState{};
                ++i;
                break;
            case kApostrophe:
                line.apostrophe = line.apostropheSinceQuote = true;
                ++i;
                break;
            case kQuote:
                line.apostropheInLastLiteral = line.quotes > 0 && line.apostropheSinceQuote;
                line.apostropheSinceQuote = false;
                ++line.quotes;
                ++i;
                break;
            default: {  // a name
                std::size_t end = i + 1;
                while (end < n && classOf(text[end]) == kName) ++end;
                const int entry = table.find(text.substr(i, end - i));
                i = end;
                if (entry < 0) break;
                LocalVerdict& verdict = found[static_cast<std::size_t>(entry)];
                if (verdict == LocalVerdict::NotFound) {
                    verdict = LocalVerdict::Unused;  // the declaration
                } else if (verdict != LocalVerdict::Used) {
                    verdict = line.isUse() ? LocalVerdict::Used : LocalVerdict::OnlyInComments;
                    if (verdict == LocalVerdict::Used && --unused <= kSearchedWhenLeft &&
                        n - i >= kShortestSearchedRest && searchable(table, found)) {
                        judgeRestBySearch(text, i, table, found);
                        searched = true;
                    }
                }
                break;
            }
        }
    }
    verdicts.assign(words.size(), LocalVerdict::NotFound);
    for (std::size_t i = 0; i < words.size(); ++i)
        if (const int entry = table.entryOf(i); entry >= 0)
            verdicts[i] = found[static_cast<std::size_t>(entry)];
}

}  // namespace tally
