#include "core/parser/UnusedLocals.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "core/parser/HeaderText.h"
#include "core/model/TypeCharacters.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr std::array<std::string_view, 5> kLocalStarts{"Dim ", "Public ", "Static ", "Const ", "ReDim "};
constexpr std::array<std::string_view, 5> kHeaderWords{"Property Let ", "Property Get ", "Property Set ",
                                                       "Sub ", "Function "};

struct Candidate {
    std::string name;
    std::size_t declaredFrom = 0;
    bool isConst = false;
};

bool isWordChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' ||
           u >= 0x80;
}

// The word searched for a candidate: without its type-declaration character, and the last word of
// a name that kept a keyword ("ParamArray args"). Empty when that is not a plain word.
std::string_view searchWordOf(std::string_view name) {
    if (endsInTypeCharacter(name)) name.remove_suffix(1);
    name = trimView(name);
    std::size_t blank = name.find_last_of(" \t");
    if (blank != std::string_view::npos) name = name.substr(blank + 1);
    if (name.empty() || !std::all_of(name.begin(), name.end(), isWordChar)) return {};
    return name;
}

bool startsWithAny(std::string_view s, const auto& prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view p) { return startsWith(s, p); });
}

bool containsAny(std::string_view s, const auto& parts) {
    return std::any_of(parts.begin(), parts.end(), [&](std::string_view p) { return contains(s, p); });
}

std::vector<Candidate> collectCandidates(ProjectModel& model, TypeNotes& types, std::string_view text,
                                         const NameOwner& owner, const std::vector<std::string>& paramNames) {
    std::vector<Candidate> candidates;
    std::unordered_set<std::string> known;
    for (const std::string& param : paramNames) {
        std::string_view name = trimView(param);
        if (startsWith(name, "Optional ")) name = trimView(name.substr(9));
        if (name.empty()) continue;
        candidates.push_back(Candidate{std::string(name), 0, false});
        known.emplace(name);
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::size_t lineStart = pos;
        std::string_view line = trimView(text.substr(pos, end - pos));
        pos = end + 2;
        if (!startsWithAny(line, kLocalStarts) || containsAny(beforeApostrophe(line), kHeaderWords)) continue;
        if (startsWith(line, "ReDim ") && !startsWith(line, "ReDim Preserve ")) {
            std::size_t paren = line.find('(');
            std::string_view array = trimView(
                line.substr(6, paren == std::string_view::npos ? std::string_view::npos : paren - 6));
            if (contains(array, ".") || known.count(std::string(array))) continue;
        }
        DeclaredNames declared = splitDeclaredNames(model, types, line, false, owner);
        for (std::string& name : declared.names) {
            known.insert(name);
            candidates.push_back(Candidate{std::move(name), lineStart, declared.isConst});
        }
    }
    return candidates;
}

// Where the words, line starts, apostrophes and double quotes of the routine text lie.
class RoutineTextIndex {
public:
    struct Word {
        std::vector<std::size_t> at;
        std::vector<std::size_t> useFrom;      // index of the first use at or after i; at.size() when none
        std::vector<std::size_t> commentFrom;  // index of the first hit in a comment at or after i
    };

    RoutineTextIndex(std::string_view text, const std::vector<std::string_view>& words) {
        for (std::string_view w : words)
            if (!w.empty()) m_words.try_emplace(w);
        m_lineStarts.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\n') {
                m_lineStarts.push_back(i + 1);
            } else if (c == '\'') {
                m_apostrophes.push_back(i);
            } else if (c == '"') {
                m_quotes.push_back(i);
            } else if (isWordChar(c)) {
                std::size_t j = i;
                while (j < text.size() && isWordChar(text[j])) ++j;
                auto found = m_words.find(text.substr(i, j - i));
                if (found != m_words.end()) found->second.at.push_back(i);
                i = j - 1;
            }
        }
        for (auto& [word, entry] : m_words) classify(entry);
    }

    const Word* find(std::string_view word) const {
        auto found = m_words.find(word);
        return found == m_words.end() ? nullptr : &found->second;
    }

private:
    void classify(Word& entry) const {
        std::size_t n = entry.at.size();
        entry.useFrom.assign(n + 1, n);
        entry.commentFrom.assign(n + 1, n);
        for (std::size_t i = n; i-- > 0;) {
            bool use = isUse(entry.at[i]);
            entry.useFrom[i] = use ? i : entry.useFrom[i + 1];
            entry.commentFrom[i] = use ? entry.commentFrom[i + 1] : i;
        }
    }

    bool isUse(std::size_t hit) const {
        std::size_t lineStart = *(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), hit) - 1);
        auto apostrophe = std::lower_bound(m_apostrophes.begin(), m_apostrophes.end(), lineStart);
        if (apostrophe == m_apostrophes.end() || *apostrophe >= hit) return true;
        std::size_t quotesBefore = std::lower_bound(m_quotes.begin(), m_quotes.end(), hit) - m_quotes.begin();
        if (quotesBefore < 2) return false;
        std::size_t open = m_quotes[quotesBefore - 2], close = m_quotes[quotesBefore - 1];
        if (open < lineStart) return false;
        auto inside = std::upper_bound(m_apostrophes.begin(), m_apostrophes.end(), open);
        return inside != m_apostrophes.end() && *inside < close;
    }

    std::unordered_map<std::string_view, Word> m_words;
    std::vector<std::size_t> m_lineStarts;
    std::vector<std::size_t> m_apostrophes;
    std::vector<std::size_t> m_quotes;
};

}  // namespace

void checkUnusedLocals(ProjectModel& model, TypeNotes& types, std::string_view routineText,
                       const NameOwner& owner, const std::vector<std::string>& paramNames) {
    std::vector<Candidate> candidates = collectCandidates(model, types, routineText, owner, paramNames);
    if (candidates.empty()) return;
    std::vector<std::string_view> words;
    words.reserve(candidates.size());
    for (const Candidate& c : candidates) words.push_back(searchWordOf(c.name));
    RoutineTextIndex index(routineText, words);

    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (words[i].empty()) continue;
        const RoutineTextIndex::Word* word = index.find(words[i]);
        if (!word) continue;
        const std::vector<std::size_t>& at = word->at;
        std::size_t declaration =
            std::lower_bound(at.begin(), at.end(), candidates[i].declaredFrom) - at.begin();
        if (declaration == at.size()) continue;
        if (word->useFrom[declaration + 1] < at.size()) continue;
        VarRec row;
        row.name = candidates[i].name;
        row.scope = std::string(owner.scope);
        row.ownerKind = owner.kind;
        row.file = std::string(owner.fileName);
        row.isConst = candidates[i].isConst;
        row.commented = word->commentFrom[declaration + 1] < at.size();
        model.unVar.push_back(std::move(row));
    }
}

}  // namespace tally
