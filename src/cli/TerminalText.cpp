#include "cli/TerminalText.h"

#include "cli/ProjectText.h"

namespace tally {

namespace {

void appendEscape(std::string& out, unsigned value) {
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence starting at `at` (lead byte 0xC2 or above), 0 when invalid.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if (!continuation(static_cast<unsigned char>(text[at + i]))) return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    // Overlong forms and surrogates would decode to something other than what they seem.
    if (lead == 0xE0 && second < 0xA0) return 0;
    if (lead == 0xED && second >= 0xA0) return 0;
    if (lead == 0xF0 && second < 0x90) return 0;
    if (lead == 0xF4 && second >= 0x90) return 0;
    return length;
}

}  // namespace

std::string terminalText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[at]);
        if (c < 0x20 || c == 0x7F) {
            appendEscape(out, c);
            ++at;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++at;
        } else if (std::size_t length = sequenceLength(utf8, at); length == 0) {
            appendEscape(out, c);
            ++at;
        } else if (c == 0xC2 && static_cast<unsigned char>(utf8[at + 1]) < 0xA0) {
            appendEscape(out, static_cast<unsigned char>(utf8[at + 1]));  // U+0080..U+009F
            at += 2;
        } else {
            out.append(utf8.substr(at, length));
            at += length;
        }
    }
    return out;
}

std::string terminalTextFromAnsi(std::string_view ansi) {
    return terminalText(projectUtf8(ansi));
}

std::string terminalMessageFromAnsi(std::string_view ansi) {
    std::string out;
    while (true) {
        const std::size_t end = ansi.find_first_of("\r\n");
        out += terminalTextFromAnsi(ansi.substr(0, end));
        if (end == std::string_view::npos) break;
        out += '\n';
        ansi.remove_prefix(ansi.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1);
    }
    return out;
}

}  // namespace tally
