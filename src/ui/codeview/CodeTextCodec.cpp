#include "ui/codeview/CodeTextCodec.h"

#include <QStringDecoder>
#include <array>
#include <vector>

#include "core/text/CharacterLayout.h"
#include "core/text/SourceCodecs.h"
#include "core/text/Utf8.h"

namespace tally {

namespace {

constexpr char16_t kCrPicture = u'\u240D';
constexpr char16_t kLfPicture = u'\u240A';
constexpr char16_t kParagraphBreak = u'\u2029';
constexpr char16_t kEscapeBase = 0xDC80;  // U+DC80 + byte: a byte without a character

// Windows-1252 both ways, built once from Qt's own decoder so that the two directions agree
// exactly (the five bytes the code page leaves undefined map to U+0081 ...).
struct Western {
    std::array<char16_t, 256> toUnicode{};
    std::vector<signed short> toByte = std::vector<signed short>(0x10000, -1);

    Western() {
        QStringDecoder decoder("windows-1252");
        for (int byte = 0; byte < 256; ++byte) {
            char c = static_cast<char>(byte);
            QString decoded = decoder.decode(QByteArrayView(&c, 1));
            char16_t unit = decoded.isEmpty() ? u'?' : decoded.at(0).unicode();
            toUnicode[static_cast<std::size_t>(byte)] = unit;
            toByte[unit] = static_cast<signed short>(byte);
        }
    }
};

const Western& western() {
    static const Western page;
    return page;
}

bool isHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool isEscape(char16_t unit) {
    return unit >= kEscapeBase && unit <= kEscapeBase + 0xFF;
}

// The character at `at` of `text` and the number of units it takes; a lone surrogate is itself.
char32_t characterAt(QStringView text, qsizetype at, int& units) {
    const char16_t unit = text[at].unicode();
    if (isHigh(unit) && at + 1 < text.size() && isLow(text[at + 1].unicode())) {
        units = 2;
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[at + 1].unicode() - 0xDC00);
    }
    units = 1;
    return unit;
}

// Characters the editor cannot hold as themselves: QTextDocument starts a paragraph at U+2029, U+FDD0
// and U+FDD1, and the pictures and escapes here stand for bytes. A file that holds one (a UTF-8 file
// may) keeps its bytes as escapes.
bool isReserved(char32_t cp) {
    return cp == kParagraphBreak || cp == kCrPicture || cp == kLfPicture || cp == 0xFDD0 || cp == 0xFDD1 ||
           cp == u'\r' || cp == u'\n' || (cp >= kEscapeBase && cp <= kEscapeBase + 0xFF);
}

// Well-formed UTF-8 (a codec's output) as UTF-16 units, every character kept: QString::fromUtf8
// would drop a byte order mark at the start, and each line of a UTF-8 file may begin with one.
// False, with nothing appended, when a character is reserved.
bool appendUtf8AsUnits(QString& out, std::string_view utf8) {
    const qsizetype size = out.size();
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t cp = nextUtf8CodePoint(utf8, at);
        if (isReserved(cp)) {
            out.truncate(size);
            return false;
        }
        if (cp < 0x10000) {
            out += QChar(static_cast<char16_t>(cp));
        } else {
            out += QChar(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out += QChar(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
    }
    return true;
}

}  // namespace

CodeTextCodec::CodeTextCodec(const TextCodec* codec)
    : m_codec(codec && codec->codePage() != kCodePageWestern ? codec : nullptr),
      m_codePage(m_codec ? m_codec->codePage() : kCodePageWestern) {}

int CodeTextCodec::codePage() const {
    return m_codePage;
}

// A line decodes in one call when it comes back to the same bytes (the common case); otherwise each
// character on its own, and the bytes of one that does not come back, or that the editor cannot
// hold (see isReserved), are kept as escapes.
void CodeTextCodec::appendDecodedLine(QString& out, std::string_view line) const {
    if (line.empty()) return;
    const std::string whole = m_codec->toUtf8(line);
    if (std::optional<std::string> back = m_codec->fromUtf8(whole); back && *back == line) {
        if (appendUtf8AsUnits(out, whole)) return;
    }
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t length = characterLength(line, at, m_codePage);
        const std::string_view bytes = line.substr(at, length);
        const std::string decoded = m_codec->toUtf8(bytes);
        std::size_t end = 0;
        const bool one = !decoded.empty() && (nextUtf8CodePoint(decoded, end), end == decoded.size());
        std::optional<std::string> again = one ? m_codec->fromUtf8(decoded) : std::nullopt;
        if (!again || *again != bytes || !appendUtf8AsUnits(out, decoded)) {
            for (char byte : bytes) out += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(byte)));
        }
        at += length;
    }
}

QString CodeTextCodec::editorTextOf(std::string_view coreText) const {
    QString out;
    out.reserve(static_cast<qsizetype>(coreText.size()));
    const std::size_t size = coreText.size();
    if (!m_codec) {
        const Western& page = western();
        for (std::size_t i = 0; i < size; ++i) {
            unsigned char byte = static_cast<unsigned char>(coreText[i]);
            if (byte == '\r') {
                if (i + 1 < size && coreText[i + 1] == '\n') {
                    out += QLatin1Char('\n');
                    ++i;
                } else {
                    out += QChar(kCrPicture);
                }
            } else if (byte == '\n') {
                out += QChar(kLfPicture);
            } else {
                out += QChar(page.toUnicode[byte]);
            }
        }
        return out;
    }
    // No trail byte is CR or LF, so cutting at them never splits a character.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i < size && coreText[i] != '\r' && coreText[i] != '\n') continue;
        appendDecodedLine(out, coreText.substr(start, i - start));
        if (i == size) break;
        if (coreText[i] == '\r' && i + 1 < size && coreText[i + 1] == '\n') {
            out += QLatin1Char('\n');
            ++i;
        } else {
            out += QChar(coreText[i] == '\r' ? kCrPicture : kLfPicture);
        }
        start = i + 1;
    }
    return out;
}

std::string CodeTextCodec::coreTextOf(QStringView editorText) const {
    std::string out;
    out.reserve(static_cast<std::size_t>(editorText.size()) + editorText.size() / 24);
    const Western& page = western();
    std::string run;  // UTF-8 of the characters waiting to be encoded together
    auto flush = [&] {
        if (run.empty()) return;
        if (std::optional<std::string> bytes = m_codec->fromUtf8(run)) {
            out += *bytes;
        } else {
            out += encodeWithQuestionMarks(*m_codec, run);
        }
        run.clear();
    };
    for (qsizetype at = 0; at < editorText.size();) {
        int units = 1;
        const char32_t cp = characterAt(editorText, at, units);
        at += units;
        if (cp == kParagraphBreak || cp == u'\n' || cp == kCrPicture || cp == kLfPicture) {
            if (m_codec) flush();
            out += cp == kCrPicture ? "\r" : cp == kLfPicture ? "\n" : "\r\n";
        } else if (!m_codec) {
            signed short byte = cp < 0x10000 ? page.toByte[cp] : -1;
            out += byte < 0 ? '?' : static_cast<char>(byte);
        } else if (units == 1 && isEscape(static_cast<char16_t>(cp))) {
            flush();
            out += static_cast<char>(cp - kEscapeBase);
        } else {
            appendUtf8(run, cp);
        }
    }
    if (m_codec) flush();
    return out;
}

std::size_t CodeTextCodec::bytesOfCharacter(char32_t cp) const {
    if (cp < 0x80 || cp == kCrPicture || cp == kLfPicture) return 1;
    if (cp <= 0xFFFF && isEscape(static_cast<char16_t>(cp))) return 1;
    auto known = m_widths.find(cp);
    if (known != m_widths.end()) return known->second;
    std::string utf8;
    appendUtf8(utf8, cp);
    std::optional<std::string> bytes = m_codec->fromUtf8(utf8);
    const auto width = static_cast<unsigned char>(bytes && !bytes->empty() ? bytes->size() : 1);  // '?'
    m_widths.emplace(cp, width);
    return width;
}

std::size_t CodeTextCodec::byteLength(QStringView line) const {
    if (!m_codec) return static_cast<std::size_t>(line.size());
    std::size_t bytes = 0;
    for (qsizetype at = 0; at < line.size();) {
        int units = 1;
        bytes += bytesOfCharacter(characterAt(line, at, units));
        at += units;
    }
    return bytes;
}

int CodeTextCodec::unitsFor(QStringView line, std::size_t bytes) const {
    if (!m_codec) return static_cast<int>(std::min<std::size_t>(bytes, static_cast<std::size_t>(line.size())));
    std::size_t used = 0;
    qsizetype at = 0;
    while (at < line.size()) {
        int units = 1;
        const std::size_t width = bytesOfCharacter(characterAt(line, at, units));
        if (used + width > bytes) break;
        used += width;
        at += units;
    }
    return static_cast<int>(at);
}

QString CodeTextCodec::firstUnencodable(QStringView text) const {
    for (qsizetype at = 0; at < text.size();) {
        int units = 1;
        const char32_t cp = characterAt(text, at, units);
        bool fits = true;
        if (cp == kParagraphBreak || cp == u'\n' || cp == u'\r' || cp == u'\t') {
            fits = true;
        } else if (!m_codec) {
            fits = cp < 0x10000 && western().toByte[cp] >= 0;
        } else if (cp >= 0x80 && !(units == 1 && isEscape(static_cast<char16_t>(cp)))) {
            std::string utf8;
            appendUtf8(utf8, cp);
            fits = m_codec->fromUtf8(utf8).has_value();
        }
        if (!fits) return text.mid(at, units).toString();
        at += units;
    }
    return {};
}

}  // namespace tally
