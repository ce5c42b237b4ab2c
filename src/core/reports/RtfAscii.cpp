#include "core/reports/RtfAscii.h"

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

std::string rtfAsciiDocument(std::string_view document) {
    // displayUtf8 settles what each high byte means (UTF-8 sequence or Windows-1252 byte) once.
    std::string text = displayUtf8(document);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t at = 0; at < text.size();) {
        char32_t cp = nextUtf8CodePoint(text, at);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        int byte = windows1252ByteOf(cp);
        if (byte >= 0) appendRtfByteEscape(out, byte);
        else appendRtfUnicodeEscape(out, cp, "\\'3f");
    }
    return out;
}

void appendRtfByteEscape(std::string& out, int byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\'";
    out += kHex[(byte >> 4) & 0xF];
    out += kHex[byte & 0xF];
}

// \uN takes a signed 16-bit number.
void appendRtfUnicodeEscape(std::string& out, char32_t cp, std::string_view fallback) {
    auto one = [&](unsigned unit) {
        out += "\\u" + std::to_string(unit >= 0x8000 ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit));
        out += fallback;
    };
    if (cp < 0x10000) {
        one(static_cast<unsigned>(cp));
    } else {
        cp -= 0x10000;
        one(0xD800 + static_cast<unsigned>(cp >> 10));
        one(0xDC00 + static_cast<unsigned>(cp & 0x3FF));
    }
}

}  // namespace tally
