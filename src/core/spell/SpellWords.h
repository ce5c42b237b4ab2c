#pragma once
// The word rules of the spell check: how a piece of a caption is cleaned into the word that is
// asked about, the access-key character ("&O" in "&Open") that is kept out of the question and put
// back into the suggestions, and the words already met in this run.

#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextCodec.h"

namespace tally {

// The words met during one run of the check, compared case-sensitively. Seeded with the thirteen
// common words that are never asked about.
class SeenWords {
public:
    SeenWords();
    // Whether `word` is among them.
    bool contains(std::string_view word) const;
    void add(std::string word);
    // Forgets the first slot holding `word` (a changed word is to be offered again).
    void forget(std::string_view word);
    std::size_t size() const { return m_words.size(); }

private:
    std::vector<std::string> m_words;  // a forgotten slot is left empty and matches only ""
};

// A piece of text cut from a caption at blanks, with its 1-based start position in the caption.
struct WordPiece {
    std::string word;
    int start = 0;
    std::string mnemonic;  // the character after the first "&", or empty
};

// Cleans `piece`: notes the access-key character (the whole character of `codePage` after the "&");
// drops one trailing line end or closing mark ("!", ")", ",", ".", ":", ";", "=", "?", "]", "}"),
// one leading blank, any leading CR LF pairs and one leading line end or opening bracket, moving
// the start along; then empties a word already in `seen` and adds a new one to it.
void cleanWord(WordPiece& piece, SeenWords& seen, int codePage = kCodePageWestern);

// The text a caption is cut into words from: the caption itself, except that in a double-byte page
// or UTF-8 every character of a script written without blanks (each two-byte character of the
// page and the half-width katakana of 932; CJK ideographs, kana, hangul and the full-width forms of
// UTF-8) is replaced by as many blanks as it has bytes. Such text cut at blanks gives no words a
// speller could judge, while the ASCII words among it still are asked about, at the same positions.
// Single-byte pages keep every byte.
std::string spellScanText(std::string_view text, int codePage);

// The word without its first "&" (when it has an access key).
std::string removeMnemonic(std::string_view word, std::string_view mnemonic);

// The suggestion with "&" before the first occurrence of the access-key character (exact case),
// or unchanged when the key is empty or does not occur.
std::string insertMnemonic(std::string_view suggestion, std::string_view mnemonic);

}  // namespace tally
