#pragma once
// How wide a text is in Arial at a given size, as the reports measure their columns.

#include <string_view>

namespace tally {

// The code view's header strip (picCode) keeps the toolkit's default font, which has no fixed size
// on every desktop; the reports measure as the classic strip did: Arial at 8 points.
inline constexpr double kCodeHeaderPointSize = 8.0;

class TextWidth {
public:
    explicit TextWidth(double pointSize = kCodeHeaderPointSize) : m_pointSize(pointSize) {}

    // The advance width of Windows-1252 `text` in twips (1/20 point), without kerning. A tab is
    // not expanded: like every control character it measures as the font's missing glyph
    // (three quarters of an em), which is what a measuring call that does not expand tabs gives.
    double twips(std::string_view text) const;
    double pointSize() const { return m_pointSize; }

private:
    double m_pointSize;
};

}  // namespace tally
