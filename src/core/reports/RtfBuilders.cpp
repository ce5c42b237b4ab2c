#include "core/reports/RtfBuilders.h"

namespace tally {

namespace {

constexpr std::string_view kTabStops =
    "\\pard\\tx0\\tx240\\tx480\\tx720\\tx960\\tx1200\\tx1440\\tx1680\\tx1920\\tx2160\\tx2400\\tx2640\\tx2880"
    "\\tx3120\\tx3360\\tx3600\\tx3840\\tx4080\\tx4320\\tx4560";

// A colour outside the table gives no style: the text keeps whatever formatting is in force.
std::string style(int colour, bool big, bool bold) {
    if (colour < kRtfBlack || colour > kRtfDarkGreen) return {};
    std::string out = big ? "\\plain\\f2\\fs26\\cf" : "\\plain\\f2\\fs20\\cf";
    out += static_cast<char>('0' + colour);
    if (bold) out += "\\b";
    return out;
}

}  // namespace

std::string rtfHeader() {
    return "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 "
           "Symbol;}{\\f2\\fswiss Arial;}{\\f3\\fswiss Arial;}}\r\n"
           "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue127;\\red0\\green127\\blue0;}\r\n"
           "\\deflang1033";
}

std::string rtfParagraph(std::string_view text, int colour, bool big, bool bold) {
    std::string out(kTabStops);
    out += style(colour, big, bold);
    out += ' ';
    out += text;
    return out;
}

std::string rtfRun(std::string_view text, int colour, bool bold, bool big) {
    std::string out = style(colour, big, bold);
    out += ' ';
    out += text;
    return out;
}

std::string rtfLineEnd() { return "\r\n\\par "; }

std::string rtfTabs(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += " \\tab ";
    return out;
}

std::string rtfClose() { return "}"; }

std::string rtfEscape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace tally
