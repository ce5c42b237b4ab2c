#include "cli/TerminalProgress.h"

#include <algorithm>

#include "cli/TerminalText.h"

namespace tally {

void TerminalProgress::setFileLabel(std::string_view text) {
    m_file = terminalTextFromAnsi(text);
    redraw();
}

void TerminalProgress::setLineLabel(std::string_view text) {
    m_line = terminalTextFromAnsi(text);
    redraw();
}

void TerminalProgress::setRange(long long minimum, long long maximum) {
    m_min = minimum;
    m_max = maximum;
    m_value = minimum;
    redraw();
}

void TerminalProgress::setValue(long long value) {
    m_value = value;
    redraw();
}

void TerminalProgress::redraw() {
    constexpr int kBar = 24;
    long long span = std::max(1LL, m_max - m_min);
    long long done = std::clamp(m_value - m_min, 0LL, span);
    int filled = static_cast<int>(done * kBar / span);
    int percent = static_cast<int>(done * 100 / span);
    std::string text = "[" + std::string(filled, '#') + std::string(kBar - filled, '.') + "] ";
    text += (percent < 10 ? "  " : percent < 100 ? " " : "") + std::to_string(percent) + "% " + m_file;
    if (!m_line.empty()) text += "  " + m_line;
    if (static_cast<int>(text.size()) > m_width) text.resize(m_width);
    // Clear to the end of the line so a shorter text leaves nothing of the previous one behind.
    m_out << '\r' << text << "\x1b[K" << std::flush;
    m_drawn = true;
}

void TerminalProgress::finish() {
    if (!m_drawn) return;
    m_out << "\r\x1b[K" << std::flush;
    m_drawn = false;
}

}  // namespace tally
