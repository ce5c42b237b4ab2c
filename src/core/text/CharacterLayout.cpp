#include "core/text/CharacterLayout.h"

#include "core/text/TextCodec.h"

namespace tally {

namespace {

constexpr bool in(unsigned char b, unsigned char low, unsigned char high) {
    return b >= low && b <= high;
}

// Windows reads any byte of these ranges after a lead byte as its trail (the table decides whether
// the pair is a character, not where it ends).
bool isTrailByte(int codePage, unsigned char byte) {
    switch (codePage) {
        case 932: return in(byte, 0x40, 0x7E) || in(byte, 0x80, 0xFC);
        case 950: return in(byte, 0x40, 0x7E) || in(byte, 0xA1, 0xFE);
        case 936:
        case 949: return in(byte, 0x40, 0x7E) || in(byte, 0x80, 0xFE);
        default: return false;
    }
}

std::size_t utf8Length(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (length == 1 || at + length > bytes.size()) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80) return 1;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    // Overlong forms, surrogates and code points past U+10FFFF are not characters.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 1;
    return length;
}

}  // namespace

bool isDoubleByteCodePage(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool isLeadByte(int codePage, unsigned char byte) {
    switch (codePage) {
        case 932: return in(byte, 0x81, 0x9F) || in(byte, 0xE0, 0xFC);
        case 936:
        case 949:
        case 950: return in(byte, 0x81, 0xFE);
        default: return false;
    }
}

std::size_t characterLength(std::string_view bytes, std::size_t at, int codePage) {
    if (codePage == kCodePageUtf8) return utf8Length(bytes, at);
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (at + 1 < bytes.size() && isLeadByte(codePage, byte) &&
        isTrailByte(codePage, static_cast<unsigned char>(bytes[at + 1])))
        return 2;
    return 1;
}

}  // namespace tally
