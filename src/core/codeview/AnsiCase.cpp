#include "core/codeview/AnsiCase.h"

#include "core/text/CharacterLayout.h"

namespace tally {

char ansiUpper(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    switch (u) {
        case 0x9A:
            return static_cast<char>(0x8A);
        case 0x9C:
            return static_cast<char>(0x8C);
        case 0x9E:
            return static_cast<char>(0x8E);
        case 0xFF:
            return static_cast<char>(0x9F);
        default:
            return c;
    }
}

char ansiLower(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    switch (u) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

namespace {

char asciiUpperOf(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
}

char asciiLowerOf(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// Applies `fold` to every byte that is a character of its own; both bytes of a double-byte
// character are copied as they are. (`fold` leaves bytes above 0x7F alone in UTF-8 text.)
template <typename Fold>
std::string foldCharacters(std::string_view text, int codePage, Fold fold) {
    std::string out(text);
    if (!isDoubleByteCodePage(codePage)) {
        for (char& c : out) c = fold(c);
        return out;
    }
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t length = characterLength(text, i, codePage);
        if (length == 1) out[i] = fold(out[i]);
        i += length;
    }
    return out;
}

}  // namespace

std::string ansiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ansiUpper(c);
    return out;
}

std::string ansiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ansiLower(c);
    return out;
}

std::string ansiUpper(std::string_view text, int codePage) {
    if (isDoubleByteCodePage(codePage) || codePage == kCodePageUtf8)
        return foldCharacters(text, codePage, asciiUpperOf);
    return ansiUpper(text);
}

std::string ansiLower(std::string_view text, int codePage) {
    if (isDoubleByteCodePage(codePage) || codePage == kCodePageUtf8)
        return foldCharacters(text, codePage, asciiLowerOf);
    return ansiLower(text);
}

std::string asciiLower(std::string_view text, int codePage) {
    return foldCharacters(text, codePage, asciiLowerOf);
}

}  // namespace tally
