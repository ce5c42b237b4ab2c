#include "core/parser/UnusedLocals.h"

#include <algorithm>
#include <unordered_set>

#include "core/model/TypeCharacters.h"
#include "core/parser/HeaderText.h"
#include "core/parser/LocalWordScan.h"
#include "core/text/FindBytes.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

using Candidate = UnusedLocalScratch::Candidate;

// The word searched for a candidate: without its type-declaration character, and the last word of
// a name that kept a keyword ("ParamArray args"). Empty when that is not a plain word.
std::string_view searchWordOf(std::string_view name) {
    if (endsInTypeCharacter(name)) name.remove_suffix(1);
    name = trimView(name);
    // Back from the end over name characters, in one reading: the word is what follows the last
    // blank or tab, and it is no plain word when something else stops the reading first.
    std::size_t start = name.size();
    while (start > 0 && isLocalNameChar(name[start - 1])) --start;
    if (start == name.size() || (start > 0 && name[start - 1] != ' ' && name[start - 1] != '\t')) return {};
    return name.substr(start);
}

// Whether `code` holds "Property Let ", "Property Get " or "Property Set ": a property header that
// begins with a declaring word ("Public Property Get"). Headers of subs and functions need no test
// here: a statement holding "Sub " or "Function " declares nothing (splitDeclaredNames).
bool holdsPropertyHeader(std::string_view code) {
    constexpr std::string_view kProperty = "Property ";
    for (std::size_t at = code.find(kProperty); at != std::string_view::npos; at = code.find(kProperty, at + 1)) {
        const std::string_view verb = code.substr(at + kProperty.size(), 4);
        if (verb == "Let " || verb == "Get " || verb == "Set ") return true;
    }
    return false;
}

// The names of the candidates collected so far, for the test of a ReDim line. A few are compared
// one by one; past that they are looked up in a set that grows with the list, so that a routine of
// thousands of Dim and ReDim lines is not read candidates-times-lines.
class CandidateNames {
public:
    explicit CandidateNames(const std::vector<Candidate>& candidates) : m_candidates(candidates) {}

    bool contains(std::string_view name) {
        if (m_candidates.size() <= kCompared)
            return std::any_of(m_candidates.begin(), m_candidates.end(),
                               [&](const Candidate& c) { return c.name == name; });
        for (; m_indexed < m_candidates.size(); ++m_indexed) m_names.insert(m_candidates[m_indexed].name);
        return m_names.find(std::string(name)) != m_names.end();
    }

private:
    static constexpr std::size_t kCompared = 16;
    const std::vector<Candidate>& m_candidates;
    std::unordered_set<std::string> m_names;  // copies: the list's strings move as it grows
    std::size_t m_indexed = 0;
};

void collectCandidates(std::vector<Candidate>& candidates, DeclaredNames& declared, GatheredRows& rows,
                       std::string_view text, const std::vector<LineSpan>& declarationLines,
                       const NameOwner& owner, const std::vector<std::string>& paramNames) {
    candidates.clear();
    CandidateNames known(candidates);
    for (const std::string& param : paramNames) {
        std::string_view name = trimView(param);
        if (startsWith(name, "Optional ")) name = trimView(name.substr(9));
        if (name.empty()) continue;
        candidates.push_back(Candidate{std::string(name), false});
    }
    for (const LineSpan& span : declarationLines) {
        const std::string_view line = text.substr(span.start, span.size);
        if (holdsPropertyHeader(beforeApostrophe(line))) continue;
        if (startsWith(line, "ReDim ") && !startsWith(line, "ReDim Preserve ")) {
            std::size_t paren = line.find('(');
            std::string_view array = trimView(
                line.substr(6, paren == std::string_view::npos ? std::string_view::npos : paren - 6));
            if (contains(array, ".") || known.contains(array)) continue;
        }
        splitDeclaredNames(rows, line, false, owner, declared);
        // The names are taken over: the next statement's split starts the list afresh.
        for (std::string& name : declared.names)
            candidates.push_back(Candidate{std::move(name), declared.isConst});
    }
}

// The first whole-word occurrence of `word` at or after `from`: not part of a longer name on either
// side. npos when there is none. `read` grows by the characters passed over.
std::size_t findWord(std::string_view text, std::string_view word, std::size_t from, std::size_t& read) {
    for (std::size_t at = findBytes(text, word, from); at != std::string_view::npos; at = findBytes(text, word, at + 1)) {
        read += at + 1 - from;
        from = at + 1;
        std::size_t after = at + word.size();
        if ((at == 0 || !isLocalNameChar(text[at - 1])) &&
            (after == text.size() || !isLocalNameChar(text[after])))
            return at;
    }
    read += text.size() - std::min(from, text.size());
    return std::string_view::npos;
}

// Whether the hit at `hit` is a use, judged on the text of its line before it. `read` grows by its
// length.
bool isUse(std::string_view text, std::size_t hit, std::size_t& read) {
    std::size_t newline = text.rfind('\n', hit);
    std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
    read += hit - lineStart;
    return isLocalUse(text.substr(lineStart, hit - lineStart));
}

// Judges the candidates one by one, each searched from its declaration up to its first use: fast
// when, as usual, uses follow soon and few names go unused. Gives up (false) once the searches have
// read about eight times the text, as they would over and over in a routine with many unused names;
// then all are judged again in one pass.
bool judgeOneByOne(std::string_view text, const std::vector<Candidate>& candidates,
                   const std::vector<std::string_view>& words, std::vector<LocalVerdict>& verdicts) {
    const std::size_t budget = 8 * text.size() + 4096;
    std::size_t read = 0;
    for (std::size_t i = 0; i < candidates.size() && read <= budget; ++i) {
        std::string_view word = words[i];
        if (word.empty()) continue;
        std::size_t declaration = findWord(text, word, 0, read);
        if (declaration == std::string_view::npos) continue;
        verdicts[i] = LocalVerdict::Unused;
        for (std::size_t hit = findWord(text, word, declaration + word.size(), read);
             hit != std::string_view::npos && read <= budget;
             hit = findWord(text, word, hit + word.size(), read)) {
            if (isUse(text, hit, read)) {
                verdicts[i] = LocalVerdict::Used;
                break;
            }
            verdicts[i] = LocalVerdict::OnlyInComments;
        }
    }
    return read <= budget;
}

// A routine with more candidates than this is judged in one pass from the start: with many names,
// some usually go unused, and each of those costs the one-by-one search a whole read of the text
// (designer-heavy form routines declare a dozen or two locals).
constexpr std::size_t kManyCandidates = 8;

}  // namespace

void checkUnusedLocals(GatheredRows& rows, std::string_view routineText,
                       const std::vector<LineSpan>& declarationLines, const NameOwner& owner,
                       const std::vector<std::string>& paramNames, UnusedLocalScratch& scratch) {
    std::vector<Candidate>& candidates = scratch.candidates;
    collectCandidates(candidates, scratch.declared, rows, routineText, declarationLines, owner, paramNames);
    if (candidates.empty()) return;
    std::vector<std::string_view>& words = scratch.words;
    words.clear();
    for (const Candidate& c : candidates) words.push_back(searchWordOf(c.name));
    std::vector<LocalVerdict>& verdicts = scratch.verdicts;
    verdicts.assign(candidates.size(), LocalVerdict::NotFound);
    if (candidates.size() > kManyCandidates || !judgeOneByOne(routineText, candidates, words, verdicts))
        scratch.judge.judge(routineText, words, verdicts);

    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (verdicts[i] == LocalVerdict::NotFound || verdicts[i] == LocalVerdict::Used) continue;
        VarRec row;
        row.name = candidates[i].name;
        row.scope = owner.scope;
        row.ownerKind = owner.kind;
        row.file = owner.fileName;
        row.isConst = candidates[i].isConst;
        row.commented = verdicts[i] == LocalVerdict::OnlyInComments;
        rows.unVar.push_back(std::move(row));
    }
}

}  // namespace tally
