#include "core/reports/RtfWriter.h"

#include <algorithm>

#include "core/reports/RtfAscii.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

template <typename T>
int indexIn(std::vector<T>& table, const T& value) {
    auto it = std::find(table.begin(), table.end(), value);
    if (it != table.end()) return static_cast<int>(it - table.begin());
    table.push_back(value);
    return static_cast<int>(table.size()) - 1;
}

// Font names end at ";" and may not hold braces or backslashes; those are left out.
std::string fontName(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != ';' && c != '{' && c != '}' && c != '\\') out += c;
    return out;
}

void appendText(std::string& out, std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t cp = nextUtf8CodePoint(text, at);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp == '\n') {
            out += "\\line ";
        } else if (cp >= 0x20 && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (int byte = windows1252ByteOf(cp); byte >= 0 && cp >= 0x20) {
            appendRtfByteEscape(out, byte);
        } else if (cp < 0x20) {
            appendRtfByteEscape(out, static_cast<int>(cp));
        } else {
            appendRtfUnicodeEscape(out, cp, "?");
        }
    }
}

std::string_view alignmentWord(RichAlignment alignment) {
    switch (alignment) {
        case RichAlignment::Center: return "\\qc";
        case RichAlignment::Right: return "\\qr";
        case RichAlignment::Justify: return "\\qj";
        case RichAlignment::Left: break;
    }
    return "\\ql";
}

}  // namespace

std::string writeRtf(const RichDocument& document) {
    std::vector<std::string> fonts;
    std::vector<RichColour> colours;  // table entry 0 is the automatic colour; these follow it
    std::string body;
    for (const RichParagraph& paragraph : document.paragraphs) {
        body += "\\pard";
        body += alignmentWord(paragraph.alignment);
        for (const RichRun& run : paragraph.runs) {
            const RichFormat& f = run.format;
            body += "\\plain\\f" + std::to_string(indexIn(fonts, fontName(f.font)));
            body += "\\fs" + std::to_string(f.halfPoints);
            if (f.bold) body += "\\b";
            if (f.italic) body += "\\i";
            if (f.underline) body += "\\ul";
            body += "\\cf" + std::to_string(f.colour ? indexIn(colours, *f.colour) + 1 : 0);
            body += ' ';
            appendText(body, run.text);
        }
        body += "\\par\r\n";
    }
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    if (fonts.empty()) fonts.push_back("Arial");
    for (std::size_t i = 0; i < fonts.size(); ++i) out += "{\\f" + std::to_string(i) + "\\fnil " + fonts[i] + ";}";
    out += "}\r\n{\\colortbl;";
    for (const RichColour& c : colours)
        out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" + std::to_string(c.blue) + ";";
    out += "}\r\n";
    return out + body + "}";
}

}  // namespace tally
