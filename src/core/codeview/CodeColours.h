#pragma once
// The colours of the code view. Values are written the way the rest of the model writes colours
// (MarkRec): red in the low byte, green in the middle one, blue in the high one.

#include <cstdint>

namespace tally {

// A 24-bit colour, red in the low byte and blue in the high byte.
using Colour = std::uint32_t;

// Packs red, green and blue components (0 to 255) into a Colour.
constexpr Colour rgbColour(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
constexpr unsigned redOf(Colour c) {
    return c & 0xFFu;
}
constexpr unsigned greenOf(Colour c) {
    return (c >> 8) & 0xFFu;
}
constexpr unsigned blueOf(Colour c) {
    return (c >> 16) & 0xFFu;
}

// Ordinary text, and the words of the function list in the tidy pass.
inline constexpr Colour kPlainColour = rgbColour(0, 0, 0);
// Words of the keyword list.
inline constexpr Colour kKeywordColour = rgbColour(0, 0, 127);
// Apostrophe and REM comments.
inline constexpr Colour kCommentColour = rgbColour(0, 127, 0);

}  // namespace tally
