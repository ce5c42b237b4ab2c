#pragma once
// A one-line progress bar on a terminal (stderr): the pass text, a bar and a percentage, redrawn
// in place. Fed through ThrottledProgress so it redraws only when something visible changed.

#include <ostream>
#include <string>

#include "core/support/ParseProgress.h"

namespace tally {

class TerminalProgress final : public ParseProgress {
public:
    explicit TerminalProgress(std::ostream& out, int width = 78) : m_out(out), m_width(width) {}
    ~TerminalProgress() override { finish(); }

    void setFileLabel(std::string_view text) override;
    void setLineLabel(std::string_view text) override;
    void setRange(long long minimum, long long maximum) override;
    void setValue(long long value) override;
    // Clears the bar's line so that later output starts on a clean line.
    void finish();

private:
    void redraw();

    std::ostream& m_out;
    int m_width;
    std::string m_file;
    std::string m_line;
    long long m_min = 0, m_max = 0, m_value = 0;
    bool m_drawn = false;
};

}  // namespace tally
