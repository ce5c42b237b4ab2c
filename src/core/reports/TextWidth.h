#pragma once
// How far a text reaches on a report line, in Arial, as the reports measure their columns.

#include <cstddef>
#include <string_view>

namespace tally {

// The reports' text size (\fs20). The code view's header strip (picCode) has no fixed font size
// here, and what matters is that the columns line up in the document: they are measured at the
// size they are shown.
inline constexpr double kReportPointSize = 10.0;

// The report paragraphs' tab stops: every 240 twips up to 4560, then the document's default tabs
// every 720 twips (\deftab720) from the margin.
inline constexpr double kReportTabStep = 240.0;
inline constexpr double kReportLastTabStop = 4560.0;
inline constexpr double kReportDefaultTab = 720.0;

// True for the characters East Asian fonts draw a full em wide (ideographs, kana, Hangul,
// full-width forms).
bool isWideCharacter(char32_t cp);

// How long UTF-8 `text` is when the reports pick a column's longest value: one for each character,
// two for a wide one (which is about as wide as two letters).
std::size_t textColumns(std::string_view text);

class TextWidth {
public:
    explicit TextWidth(double pointSize = kReportPointSize) : m_pointSize(pointSize) {}

    // Where `text` ends when it starts at the margin, in twips (1/20 point): the advance widths
    // added up (no kerning), a tab taking the text on to the next tab stop after it, as a word
    // processor lays the line out. So a target width of "longest value and two tabs" is a tab stop,
    // and cells padded to reach it all end within one blank after that stop: their tab takes every
    // one of them to the same next stop. The text is UTF-8 (a byte that starts no well-formed
    // sequence counts as its Windows-1252 character); a character Windows-1252 lacks is as wide as
    // the fallback font shows it: an em for the wide characters of East Asia, half an em for their
    // half-width forms, an average letter for the rest (Cyrillic, Greek, ...).
    double twips(std::string_view text) const;
    double pointSize() const { return m_pointSize; }

    // The first report tab stop after `position` (twips).
    static double nextTabStop(double position);

private:
    double m_pointSize;
};

}  // namespace tally
