#include "platform/HunspellSpeller.h"

#include <hunspell/hunspell.h>

#include <cctype>
#include <string_view>

#include "core/os/FileFacts.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

struct HunspellSpeller::Handle {
    Hunhandle* hunspell = nullptr;
};

namespace {

// Hunspell opens the files itself and says nothing when they are missing or wrong: a .dic file
// starts with its word count, an .aff file is text. Both are looked at first.
bool looksLikeDictionary(const std::string& affixPath, const std::string& dictionaryPath) {
    std::optional<std::string> dic = readFileHead(dictionaryPath, 64);
    std::optional<std::string> aff = readFileHead(affixPath, 64);
    if (!dic || !aff || dic->empty()) return false;
    std::size_t at = dic->rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    return at < dic->size() && std::isdigit(static_cast<unsigned char>((*dic)[at]));
}

// Hunspell takes words of at most this many bytes; longer pieces of text are not words.
constexpr std::size_t kLongestWord = 100;

bool isLetter(unsigned char c) {
    return std::isalpha(c) || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

bool isLowerCase(unsigned char c) {
    return std::islower(c) || c == 0x9A || c == 0x9C || c == 0x9E || (c >= 0xDF && c != 0xF7);
}

// What a word processor leaves out of its check by default: pieces without a letter ("-", "100",
// "€"), words with a digit in them ("frmMain2", "Win32") and words in capitals ("OK", "CSV").
bool isSkipped(std::string_view word) {
    bool letter = false, lower = false;
    for (unsigned char c : word) {
        if (std::isdigit(c)) return true;
        letter = letter || isLetter(c);
        lower = lower || isLowerCase(c);
    }
    return !letter || !lower;
}

}  // namespace

HunspellSpeller::HunspellSpeller(const std::string& affixPath, const std::string& dictionaryPath) {
    if (!looksLikeDictionary(affixPath, dictionaryPath)) return;
    Hunhandle* hunspell = Hunspell_create(affixPath.c_str(), dictionaryPath.c_str());
    if (!hunspell) return;
    m_handle = new Handle{hunspell};
    const char* encoding = Hunspell_get_dic_encoding(hunspell);
    const std::string_view name = encoding ? encoding : "";
    m_utf8 = name == "UTF-8" || name == "utf-8" || name == "UTF8";
}

HunspellSpeller::~HunspellSpeller() {
    if (m_handle) Hunspell_destroy(m_handle->hunspell);
    delete m_handle;
}

std::string HunspellSpeller::toDictionary(std::string_view word) const {
    // Dictionaries other than UTF-8 are ISO-8859-1 in practice, which Windows-1252 extends.
    return m_utf8 ? windows1252ToUtf8(word) : std::string(word);
}

std::string HunspellSpeller::fromDictionary(std::string_view word, bool& fits) const {
    fits = true;
    if (!m_utf8) return std::string(word);
    std::string out;
    for (std::size_t at = 0; at < word.size();) {
        const char32_t cp = nextUtf8CodePoint(word, at);
        const int byte = windows1252ByteOf(cp);
        if (byte < 0) {
            fits = false;
            return {};
        }
        out += static_cast<char>(byte);
    }
    return out;
}

SpellerStatus HunspellSpeller::check(std::string_view word, bool& correct) {
    correct = false;
    if (!m_handle) return SpellerStatus::DictionaryBroken;
    if (word.size() > kLongestWord || word.find('\0') != std::string_view::npos) return SpellerStatus::Failed;
    if (isSkipped(word)) {
        correct = true;
        return SpellerStatus::Answered;
    }
    correct = Hunspell_spell(m_handle->hunspell, toDictionary(word).c_str()) != 0;
    return SpellerStatus::Answered;
}

SpellerSuggestions HunspellSpeller::suggest(std::string_view word) {
    bool correct = false;
    const SpellerStatus status = check(word, correct);
    if (status != SpellerStatus::Answered) return {status, {}};
    if (correct) return {};
    char** list = nullptr;
    const int count = Hunspell_suggest(m_handle->hunspell, &list, toDictionary(word).c_str());
    SpellerSuggestions offered;
    for (int i = 0; i < count; ++i) {
        bool fits = false;
        std::string suggestion = fromDictionary(list[i], fits);
        if (fits) offered.words.push_back(std::move(suggestion));
    }
    if (list) Hunspell_free_list(m_handle->hunspell, &list, count);
    return offered;
}

}  // namespace tally
