#pragma once
// How the local names of one routine fare in its text, judged for all of them in one pass: each name
// of the text is looked up among the candidates' words, and each line's comment state is followed as
// the pass goes, so the cost is one read of the text however many candidates there are.

#include <memory>
#include <string_view>
#include <vector>

namespace tally {

// A character of a name: letters, digits, "_" and every byte above 0x7F.
constexpr bool isLocalNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

// How a candidate fared: not in the text at all; named again after its first occurrence (its
// declaration) as a use; only its declaration; or named again only inside comments.
enum class LocalVerdict { NotFound, Used, Unused, OnlyInComments };

// A hit is a use unless the text from the start of its line up to it holds an apostrophe that is not
// inside the last literal of that text.
bool isLocalUse(std::string_view lineBeforeHit);

// The judge of a routine's candidates, with its word table kept from one routine to the next: a
// project has tens of thousands of routines of a dozen candidates, and a table built afresh for
// each one cost as much as reading many a routine.
class LocalWordJudge {
public:
    LocalWordJudge();
    ~LocalWordJudge();
    LocalWordJudge(const LocalWordJudge&) = delete;
    LocalWordJudge& operator=(const LocalWordJudge&) = delete;

    // The verdict of each word in `text` (lines ending in LF or CR LF) into `verdicts`; an empty
    // word is NotFound. An occurrence is a whole name: not part of a longer name on either side.
    void judge(std::string_view text, const std::vector<std::string_view>& words,
               std::vector<LocalVerdict>& verdicts);

private:
    struct Table;
    std::unique_ptr<Table> m_table;
    std::vector<LocalVerdict> m_found;  // per distinct word
};

}  // namespace tally
