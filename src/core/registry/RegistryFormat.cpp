#include "core/registry/RegistryFormat.h"

#include "core/registry/RegistryStore.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned char byte) {
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string lowerHex(std::uint32_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHexDigits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    return digits;
}

std::string formatDword(std::uint32_t value) {
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text.push_back(kHexDigits[(value >> shift) & 0x0F]);
    text += " (";
    text += toDecimal(static_cast<std::int32_t>(value));
    text += ')';
    return text;
}

std::string formatBinary(std::string_view bytes, std::size_t count, bool truncated) {
    std::string text;
    if (count > bytes.size()) count = bytes.size();
    text.reserve(count * 3 + 4);
    for (std::size_t i = 0; i < count; ++i) {
        appendHexByte(text, static_cast<unsigned char>(bytes[i]));
        text.push_back(' ');
    }
    if (truncated) text += " ...";
    return text;
}

std::string formatListString(std::string_view data) {
    std::string_view text = cutAtNul(data);
    std::string shown = "\"";
    if (text.size() > kListStringLimit) {
        shown.append(text.substr(0, kListStringLimit));
        shown += " ...";
    } else {
        shown.append(text);
    }
    shown.push_back('"');
    return shown;
}

std::string properCase(std::string_view text) {
    std::string out(text);
    bool wordStart = true;
    for (char& c : out) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') {
            wordStart = true;
            continue;
        }
        c = wordStart ? asciiUpper(c) : asciiLower(c);
        wordStart = false;
    }
    return out;
}

}  // namespace tally
