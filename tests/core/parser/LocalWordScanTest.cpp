// The one-pass judge of local names (which searches for the last few words left once the others
// are used) must give what searching each name on its own gives: every whole-word occurrence found
// by a plain search, the first taken as the declaration, each later one judged on its line. Random
// routine texts made of names that contain one another, quotes, apostrophes, both line ends and
// bytes above 0x7F compare the two.

#include "core/parser/LocalWordScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tally {
namespace {

bool literalIsUse(std::string_view before) {
    if (before.find('\'') == std::string_view::npos) return true;
    const std::size_t close = before.rfind('"');
    if (close == std::string_view::npos || close == 0) return false;
    const std::size_t open = before.rfind('"', close - 1);
    if (open == std::string_view::npos) return false;
    return before.substr(open + 1, close - open - 1).find('\'') != std::string_view::npos;
}

LocalVerdict literalVerdict(std::string_view text, std::string_view word) {
    if (word.empty()) return LocalVerdict::NotFound;
    LocalVerdict verdict = LocalVerdict::NotFound;
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if ((at > 0 && isLocalNameChar(text[at - 1])) || (after < text.size() && isLocalNameChar(text[after])))
            continue;
        if (verdict == LocalVerdict::NotFound) {
            verdict = LocalVerdict::Unused;
            continue;
        }
        const std::size_t newline = text.rfind('\n', at);
        const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
        if (literalIsUse(text.substr(lineStart, at - lineStart))) return LocalVerdict::Used;
        verdict = LocalVerdict::OnlyInComments;
    }
    return verdict;
}

// The verdicts of a judge that has judged nothing before.
std::vector<LocalVerdict> judgedAfresh(std::string_view text, const std::vector<std::string_view>& words) {
    LocalWordJudge judge;
    std::vector<LocalVerdict> verdicts;
    judge.judge(text, words, verdicts);
    return verdicts;
}

TEST(LocalWordScan, OnePassGivesWhatSearchingEachNameGives) {
    // ("\351bcd" is 0xE9 and "bcd": a hex escape would take the letters in as digits.)
    const std::vector<std::string> pieces = {
        "a",  "ab", "abc", "b", "x1",   "_q", "a\xE9", "\xE9", " ",    " ",   ".",    "(",    ")",      "=",
        "\"", "\"", "'",   "'", "\r\n", "\n", "\r",    "Dim ", "abcd", "bcd", "xyz_", "bcd_", "\351bcd"};
    // Words of three bytes and more, which the judge may search for once few are left unused.
    const std::vector<std::string> names = {"a",     "ab", "abc", "b",    "x1",  "_q",
                                            "a\xE9", "zz", "",    "abcd", "bcd", "xyz_"};
    std::mt19937 random(20261208);
    // One judge for every round, as a pass keeps it from routine to routine: the words of one round
    // must leave nothing behind for the next.
    LocalWordJudge judge;
    std::vector<LocalVerdict> verdicts;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        // Short texts, long ones that the reading takes sixteen bytes at a time, and longer ones
        // whose rest the judge searches.
        const int length = static_cast<int>(random() % (round % 3 == 0 ? 60 : round % 3 == 1 ? 400 : 1500));
        for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
        std::vector<std::string_view> words;
        const int count = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) words.push_back(names[random() % names.size()]);
        judge.judge(text, words, verdicts);
        ASSERT_EQ(verdicts, judgedAfresh(text, words));
        ASSERT_EQ(verdicts.size(), words.size());
        for (std::size_t i = 0; i < words.size(); ++i)
            ASSERT_EQ(verdicts[i], literalVerdict(text, words[i])) << "word '" << words[i] << "' in:\n" << text;
    }
}

}  // namespace
}  // namespace tally
