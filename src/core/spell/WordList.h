#pragma once
// A project's own word list: words the user chose to ignore for good (names, product words). The
// speller takes them as spelled correctly. Kept as a text file, one word per line, in the
// project's Windows-1252 bytes.

#include <set>
#include <string>
#include <string_view>

#include "core/spell/Speller.h"
#include "core/support/Outcome.h"

namespace tally {

using WordList = std::set<std::string, std::less<>>;

// The words of the file at `path`; none when it is missing or unreadable. Blank lines and lines
// starting with "#" are not words; CR LF and LF line ends both do. A line in UTF-8 counts in its
// Windows-1252 form too.
WordList readWordList(const std::string& path);

// Writes the list sorted, one word per line with CR LF, atomically.
Outcome saveWordList(const std::string& path, const WordList& words);

// Where the word list of the project at `projectPath` is kept in the settings folder
// `settingsFolder`: "<settings>/words/<project file name>-<8 hex digits of the full path>.txt",
// so that two projects of one name in different folders keep their own lists.
std::string wordListPath(const std::string& settingsFolder, const std::string& projectPath);

// A speller that knows the words of a list besides those of `inner`.
class WordListSpeller final : public Speller {
public:
    WordListSpeller(Speller& inner, WordList words) : m_inner(inner), m_words(std::move(words)) {}
    // A word taken as correct from now on.
    void add(std::string word) { m_words.insert(std::move(word)); }
    const WordList& words() const { return m_words; }
    SpellerSuggestions suggest(std::string_view word) override;
    SpellerStatus check(std::string_view word, bool& correct) override;

private:
    Speller& m_inner;
    WordList m_words;
};

}  // namespace tally
