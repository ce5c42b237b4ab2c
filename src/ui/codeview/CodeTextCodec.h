#pragma once
// The code view's text as the editor widget holds it. The core's text is the file's bytes with lines
// ending in CR LF (two bytes); the editor holds one paragraph break per line and one character (one
// UTF-16 unit, two for a character beyond the BMP) per character of the file's code page. A CR or LF
// standing alone (a stray byte in a CR LF file) is shown as its control picture, "␍" or "␊", and a
// byte the code page gives no character for (a broken pair, a byte of a damaged file) as a lone
// surrogate U+DC80 + byte, which no real text holds; so are the bytes of a character the editor
// would take for a line end or one of those pictures (U+2029, "␍" written in a UTF-8 file). Every
// byte comes back unchanged when the text goes back to the file, whatever the code page.

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/text/TextCodec.h"

namespace tally {

class CodeTextCodec {
public:
    // Windows-1252 through its own table when `codec` is null or is Windows-1252: one byte is one
    // character there, so positions need no mapping.
    explicit CodeTextCodec(const TextCodec* codec = nullptr);

    // True when every character is one byte and one unit (Windows-1252).
    bool oneBytePerUnit() const { return m_codec == nullptr; }
    int codePage() const;
    // The codec of the code page; null for Windows-1252.
    const TextCodec* codec() const { return m_codec; }

    // Core text as editor text: each CR LF becomes '\n' (a paragraph break when inserted).
    QString editorTextOf(std::string_view coreText) const;
    // Editor text (from QTextDocument::toRawText or QTextCursor::selectedText) as core text: paragraph
    // breaks and '\n' become CR LF; a character the code page cannot hold becomes '?' (the editor
    // refuses such characters before they are typed, see firstUnencodable).
    std::string coreTextOf(QStringView editorText) const;

    // The bytes the units of one line (no line end in it) take in the core's text.
    std::size_t byteLength(QStringView line) const;
    // The number of units of `line` that its first `bytes` bytes make (a position inside a
    // character's bytes goes to the start of the character).
    int unitsFor(QStringView line, std::size_t bytes) const;

    // The first character of `text` the code page cannot hold, or an empty string.
    QString firstUnencodable(QStringView text) const;

private:
    std::size_t bytesOfCharacter(char32_t cp) const;
    void appendDecodedLine(QString& out, std::string_view line) const;

    const TextCodec* m_codec;
    int m_codePage;
    // Bytes per character seen, so that mapping positions asks the codec once per character.
    mutable std::unordered_map<char32_t, unsigned char> m_widths;
};

}  // namespace tally
