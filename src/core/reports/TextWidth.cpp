#include "core/reports/TextWidth.h"

#include <cmath>
#include <string>

#include "core/reports/ArialWidths.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"

namespace tally {

// Hangul Jamo, the CJK blocks with kana and Bopomofo, Yi, Hangul syllables, compatibility
// ideographs, vertical and small forms, full-width forms and the ideographs past the BMP.
bool isWideCharacter(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF && cp != 0x303F) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

std::size_t textColumns(std::string_view text) {
    std::size_t columns = 0;
    for (std::size_t at = 0; at < text.size();) columns += isWideCharacter(nextUtf8CodePoint(text, at)) ? 2 : 1;
    return columns;
}

namespace {

// In font units.
int advanceOf(char32_t cp) {
    int byte = windows1252ByteOf(cp);
    if (byte >= 0) return kArialAdvances[static_cast<unsigned char>(byte)];
    if (isWideCharacter(cp)) return kArialUnitsPerEm;
    if (cp >= 0xFF61 && cp <= 0xFFDC) return kArialUnitsPerEm / 2;  // half-width katakana and Hangul
    return kArialAdvances['n'];
}

}  // namespace

double TextWidth::nextTabStop(double position) {
    double step = position < kReportLastTabStop ? kReportTabStep : kReportDefaultTab;
    return (std::floor(position / step) + 1) * step;
}

double TextWidth::twips(std::string_view text) const {
    const double perUnit = m_pointSize * 20.0 / kArialUnitsPerEm;
    const std::string shown = displayUtf8(text);
    double position = 0;
    for (std::size_t at = 0; at < shown.size();) {
        char32_t cp = nextUtf8CodePoint(shown, at);
        if (cp == '\t') position = nextTabStop(position);
        else position += advanceOf(cp) * perUnit;
    }
    return position;
}

}  // namespace tally
