#include "platform/HunspellSpeller.h"

#include <hunspell/hunspell.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <cctype>
#include <string_view>
#include <vector>

#include "core/os/FileFacts.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"
#include "platform/text/TextCodecs.h"

namespace tally {

struct HunspellSpeller::Handle {
    Hunhandle* hunspell = nullptr;
    // The converter of a dictionary that is neither UTF-8 nor ISO-8859-1; none for those two.
    UConverter* encoding = nullptr;
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
bool isSkippedWindows1252(std::string_view word) {
    bool letter = false, lower = false;
    for (unsigned char c : word) {
        if (std::isdigit(c)) return true;
        letter = letter || isLetter(c);
        lower = lower || isLowerCase(c);
    }
    return !letter || !lower;
}

// The same for UTF-8 text of any script; a word of a script without case ("shalom" in Hebrew) is
// not in capitals.
bool isSkippedUtf8(std::string_view word) {
    bool letter = false, lower = false, upper = false;
    for (std::size_t at = 0; at < word.size();) {
        const auto cp = static_cast<UChar32>(nextUtf8CodePoint(word, at));
        if (u_isdigit(cp)) return true;
        letter = letter || u_isalpha(cp);
        lower = lower || u_islower(cp);
        upper = upper || u_isupper(cp) || u_istitle(cp);
    }
    return !letter || (upper && !lower);
}

// Dictionaries name their encoding as the programs that made them do: "microsoft-cp1251" is what
// ICU calls "windows-1251"; ICU matches the other usual names ("ISO8859-2", "KOI8-R") itself.
UConverter* openEncoding(std::string_view name) {
    std::string icuName(name);
    constexpr std::string_view kMicrosoft = "microsoft-cp";
    if (icuName.size() > kMicrosoft.size() && std::string_view(icuName).substr(0, kMicrosoft.size()) == kMicrosoft)
        icuName = "windows-" + icuName.substr(kMicrosoft.size());
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(icuName.c_str(), &error);
    if (U_FAILURE(error) || !converter) return nullptr;
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    const char* canonical = ucnv_getName(converter, &error);
    // ISO-8859-1 keeps the way it always went: the bytes of a Windows-1252 project as they are.
    if (U_FAILURE(error) || (canonical && std::string_view(canonical) == "ISO-8859-1")) {
        ucnv_close(converter);
        return nullptr;
    }
    return converter;
}

std::optional<std::string> encodeUtf8(UConverter* converter, std::string_view utf8) {
    std::vector<UChar> units(utf8.size() + 1);
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                  static_cast<int32_t>(utf8.size()), &error);
    if (U_FAILURE(error)) return std::nullopt;
    std::string out(static_cast<std::size_t>(length) * 4 + 4, '\0');
    const int32_t written = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()), units.data(),
                                            length, &error);
    if (U_FAILURE(error)) return std::nullopt;
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::optional<std::string> decodeToUtf8(UConverter* converter, std::string_view bytes) {
    std::vector<UChar> units(bytes.size() * 2 + 2);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &error);
    if (U_FAILURE(error)) return std::nullopt;
    std::string out(static_cast<std::size_t>(length) * 3 + 1, '\0');
    int32_t written = 0;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &written, units.data(), length, &error);
    if (U_FAILURE(error)) return std::nullopt;
    out.resize(static_cast<std::size_t>(written));
    return out;
}

// UTF-8 in Windows-1252 bytes, or nothing when a character has no byte there.
std::optional<std::string> utf8ToWindows1252Exactly(std::string_view utf8) {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const int byte = windows1252ByteOf(nextUtf8CodePoint(utf8, at));
        if (byte < 0) return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

}  // namespace

HunspellSpeller::HunspellSpeller(const std::string& affixPath, const std::string& dictionaryPath, int codePage) {
    if (codePage != kCodePageWestern) m_codec = makeTextCodec(codePage);
    if (!looksLikeDictionary(affixPath, dictionaryPath)) return;
    Hunhandle* hunspell = Hunspell_create(affixPath.c_str(), dictionaryPath.c_str());
    if (!hunspell) return;
    m_handle = new Handle{hunspell};
    const char* encoding = Hunspell_get_dic_encoding(hunspell);
    const std::string_view name = encoding ? encoding : "";
    m_utf8 = name == "UTF-8" || name == "utf-8" || name == "UTF8";
    if (!m_utf8 && !name.empty()) m_handle->encoding = openEncoding(name);
}

HunspellSpeller::~HunspellSpeller() {
    if (m_handle) {
        Hunspell_destroy(m_handle->hunspell);
        if (m_handle->encoding) ucnv_close(m_handle->encoding);
    }
    delete m_handle;
}

int HunspellSpeller::codePage() const {
    return m_codec ? m_codec->codePage() : kCodePageWestern;
}

std::optional<std::string> HunspellSpeller::toDictionary(std::string_view word) const {
    // Dictionaries in ISO-8859-1, which Windows-1252 extends, take a Windows-1252 word as it is.
    if (!m_codec && !m_utf8 && !m_handle->encoding) return std::string(word);
    const std::string utf8 = m_codec ? m_codec->toUtf8(word) : windows1252ToUtf8(word);
    // A byte the project's code page does not define is no letter of any word.
    if (m_codec && utf8.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;
    if (m_utf8) return utf8;
    if (!m_handle->encoding) return utf8ToWindows1252Exactly(utf8);
    return encodeUtf8(m_handle->encoding, utf8);
}

std::optional<std::string> HunspellSpeller::fromDictionary(std::string_view word) const {
    std::optional<std::string> utf8;
    if (m_utf8)
        utf8 = std::string(word);
    else if (m_handle->encoding)
        utf8 = decodeToUtf8(m_handle->encoding, word);
    else if (!m_codec)
        return std::string(word);
    else
        utf8 = windows1252ToUtf8(word);
    if (!utf8) return std::nullopt;
    return m_codec ? m_codec->fromUtf8(*utf8) : utf8ToWindows1252Exactly(*utf8);
}

bool HunspellSpeller::isSkipped(std::string_view word) const {
    return m_codec ? isSkippedUtf8(m_codec->toUtf8(word)) : isSkippedWindows1252(word);
}

SpellerStatus HunspellSpeller::check(std::string_view word, bool& correct) {
    correct = false;
    if (!m_handle) return SpellerStatus::DictionaryBroken;
    if (word.size() > kLongestWord || word.find('\0') != std::string_view::npos) return SpellerStatus::Failed;
    if (isSkipped(word)) {
        correct = true;
        return SpellerStatus::Answered;
    }
    const std::optional<std::string> asked = toDictionary(word);
    // A word the dictionary's encoding cannot hold is none of its words, nor can it be judged.
    if (!asked) return SpellerStatus::Failed;
    correct = Hunspell_spell(m_handle->hunspell, asked->c_str()) != 0;
    return SpellerStatus::Answered;
}

SpellerSuggestions HunspellSpeller::suggest(std::string_view word) {
    bool correct = false;
    const SpellerStatus status = check(word, correct);
    if (status != SpellerStatus::Answered) return {status, {}};
    if (correct) return {};
    char** list = nullptr;
    const int count = Hunspell_suggest(m_handle->hunspell, &list, toDictionary(word)->c_str());
    SpellerSuggestions offered;
    for (int i = 0; i < count; ++i)
        if (std::optional<std::string> suggestion = fromDictionary(list[i])) offered.words.push_back(std::move(*suggestion));
    if (list) Hunspell_free_list(m_handle->hunspell, &list, count);
    return offered;
}

}  // namespace tally
