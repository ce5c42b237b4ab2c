#include "core/spell/SpellWords.h"

#include <algorithm>
#include <array>

#include "core/text/CharacterLayout.h"
#include "core/text/Utf8.h"

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

// The code points of the scripts written without blanks between words: hangul jamo, the CJK
// radicals, symbols, kana, bopomofo and ideographs, hangul syllables, the compatibility ideographs
// and forms, the half-width and full-width forms, and the ideographs of the supplementary planes.
bool isUnspacedScript(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x11FF) || (cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xA960 && cp <= 0xA97F) ||
           (cp >= 0xAC00 && cp <= 0xD7FF) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFFEF) || (cp >= 0x20000 && cp <= 0x3FFFF);
}

}  // namespace

std::string spellScanText(std::string_view text, int codePage) {
    std::string out(text);
    if (isDoubleByteCodePage(codePage)) {
        for (std::size_t i = 0; i < out.size();) {
            const std::size_t length = characterLength(text, i, codePage);
            const auto byte = static_cast<unsigned char>(text[i]);
            if (length > 1 || (codePage == 932 && byte >= 0xA1 && byte <= 0xDF)) out.replace(i, length, length, ' ');
            i += length;
        }
    } else if (codePage == kCodePageUtf8) {
        for (std::size_t i = 0; i < out.size();) {
            std::size_t next = i;
            const char32_t cp = nextUtf8CodePoint(text, next);
            if (next - i > 1 && isUnspacedScript(cp)) out.replace(i, next - i, next - i, ' ');
            i = next;
        }
    }
    return out;
}

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

void cleanWord(WordPiece& piece, SeenWords& seen, int codePage) {
    std::string& w = piece.word;
    if (w.empty()) return;
    piece.mnemonic.clear();
    if (std::size_t amp = w.find('&'); amp != std::string::npos && amp + 1 < w.size())
        piece.mnemonic = w.substr(amp + 1, characterLength(w, amp + 1, codePage));
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
