#include "ui/codeview/CodeTextCodec.h"

#include <QStringDecoder>
#include <array>
#include <vector>

namespace tally {

namespace {

constexpr char16_t kCrPicture = u'\u240D';
constexpr char16_t kLfPicture = u'\u240A';
constexpr char16_t kParagraphBreak = u'\u2029';

// The code page both ways, built once from Qt's own Windows-1252 decoder so that the two
// directions agree exactly (the five bytes the code page leaves undefined map to U+0081 ...).
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::vector<signed short> toByte = std::vector<signed short>(0x10000, -1);

    CodePage() {
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

const CodePage& codePage() {
    static const CodePage page;
    return page;
}

}  // namespace

QString editorTextOf(std::string_view coreText) {
    const CodePage& page = codePage();
    QString out;
    out.reserve(static_cast<qsizetype>(coreText.size()));
    const std::size_t size = coreText.size();
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

std::string coreTextOf(QStringView editorText) {
    const CodePage& page = codePage();
    std::string out;
    out.reserve(static_cast<std::size_t>(editorText.size()) + editorText.size() / 24);
    for (QChar c : editorText) {
        char16_t unit = c.unicode();
        if (unit == kParagraphBreak || unit == u'\n') {
            out += "\r\n";
        } else if (unit == kCrPicture) {
            out += '\r';
        } else if (unit == kLfPicture) {
            out += '\n';
        } else {
            signed short byte = page.toByte[unit];
            out += byte < 0 ? '?' : static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace tally
