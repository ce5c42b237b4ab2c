#include "core/spell/SpellWords.h"

#include <algorithm>
#include <array>

namespace tally {

namespace {

constexpr std::array<std::string_view, 13> kCommonWords = {"a",  "in", "the", "it",  "with", "for", "is",
                                                           "i",  "of", "to",  "get", "be",   "not"};

bool isClosingMark(char c) {
    return std::string_view("\n\r!),.:;=?]}").find(c) != std::string_view::npos;
}

bool isOpeningMark(char c) {
    return c == '\n' || c == '\r' || c == '(' || c == '[' || c == '{';
}

}  // namespace

SeenWords::SeenWords() : m_words(kCommonWords.begin(), kCommonWords.end()) {}

bool SeenWords::contains(std::string_view word) const {
    return std::find(m_words.begin(), m_words.end(), word) != m_words.end();
}

void SeenWords::add(std::string word) {
    m_words.push_back(std::move(word));
}

void SeenWords::forget(std::string_view word) {
    auto it = std::find(m_words.begin(), m_words.end(), word);
    if (it != m_words.end()) it->clear();
}

void cleanWord(WordPiece& piece, SeenWords& seen) {
    std::string& w = piece.word;
    if (w.empty()) return;
    piece.mnemonic.clear();
    if (std::size_t amp = w.find('&'); amp != std::string::npos && amp + 1 < w.size())
        piece.mnemonic = w.substr(amp + 1, 1);
    if (isClosingMark(w.back())) w.pop_back();
    // The blank that starts every piece but the first comes off before the opening mark, so that
    // "(word" is checked as "word" wherever it stands; then any line breaks before the word.
    if (!w.empty() && w.front() == ' ') {
        w.erase(0, 1);
        ++piece.start;
    }
    while (w.size() >= 2 && w[0] == '\r' && w[1] == '\n') {
        w.erase(0, 2);
        piece.start += 2;
    }
    if (!w.empty() && isOpeningMark(w.front())) {
        w.erase(0, 1);
        ++piece.start;
    }
    if (w.empty()) return;
    if (seen.contains(w))
        w.clear();
    else
        seen.add(w);
}

std::string removeMnemonic(std::string_view word, std::string_view mnemonic) {
    std::string out(word);
    if (mnemonic.empty()) return out;
    if (std::size_t amp = out.find('&'); amp != std::string::npos) out.erase(amp, 1);
    return out;
}

std::string insertMnemonic(std::string_view suggestion, std::string_view mnemonic) {
    std::string out(suggestion);
    if (mnemonic.empty()) return out;
    if (std::size_t at = out.find(mnemonic); at != std::string::npos) out.insert(at, "&");
    return out;
}

}  // namespace tally
