#pragma once
// What the parse dialog shows while the passes run, and the flag its Cancel button sets. The passes
// call these from the thread that runs them; a front end forwards them to its widgets.

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

namespace tally {

// Set by the front end (Cancel button, Ctrl-C); the passes poll it before each physical line.
using CancelFlag = std::atomic<bool>;

class ParseProgress {
public:
    virtual ~ParseProgress() = default;
    // The step: "Part 1of 3. Parsing <file>", "Part 2 of 3. Parsing <file>", "Part 3 of 3".
    virtual void setFileLabel(std::string_view text) = 0;
    // The detail: "Line <n>" or "Please wait...".
    virtual void setLineLabel(std::string_view text) = 0;
    virtual void setRange(long long minimum, long long maximum) = 0;
    virtual void setValue(long long value) = 0;
    // The driver hides the dialog once a pass has been cancelled.
    virtual void hide() {}
};

// Shows nothing.
class NullParseProgress final : public ParseProgress {
public:
    void setFileLabel(std::string_view) override {}
    void setLineLabel(std::string_view) override {}
    void setRange(long long, long long) override {}
    void setValue(long long) override {}
};

// Forwards to another progress sink, but only as often as a person can see it: a value when it has
// moved by a thousandth of the range, a line label at most every 40 ms. File labels, ranges and the
// first and last values always pass. Keeps per-line reporting in the passes cheap.
class ThrottledProgress final : public ParseProgress {
public:
    explicit ThrottledProgress(ParseProgress& target) : m_target(target) {}

    void setFileLabel(std::string_view text) override { m_target.setFileLabel(text); }
    void setLineLabel(std::string_view text) override {
        if (++m_lineCalls % 64 != 0 && !isSpecialLabel(text)) return;
        auto now = std::chrono::steady_clock::now();
        if (!isSpecialLabel(text) && now - m_lastLine < std::chrono::milliseconds(40)) return;
        m_lastLine = now;
        m_target.setLineLabel(text);
    }
    void setRange(long long minimum, long long maximum) override {
        m_min = minimum;
        m_max = maximum;
        m_step = (maximum - minimum) / 1000;
        m_lastValue = minimum - 1;
        m_target.setRange(minimum, maximum);
    }
    void setValue(long long value) override {
        if (value != m_min && value != m_max && value >= m_lastValue && value - m_lastValue <= m_step) return;
        m_lastValue = value;
        m_target.setValue(value);
    }
    void hide() override { m_target.hide(); }

private:
    static bool isSpecialLabel(std::string_view text) { return text.substr(0, 5) != "Line "; }

    ParseProgress& m_target;
    long long m_min = 0, m_max = 0, m_step = 0, m_lastValue = -1;
    unsigned m_lineCalls = 0;
    std::chrono::steady_clock::time_point m_lastLine{};
};

}  // namespace tally
