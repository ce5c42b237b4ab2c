#pragma once
// The progress text "Line <n>" of the physical line being read.

#include <cstddef>
#include <string_view>

namespace tally {

// "Line <n>" for the physical line n, counted up in place rather than written out for every line.
// It starts at line 0; next() moves it to the following line.
class LineLabel {
public:
    // Moves to the next line.
    void next() {
        std::size_t i = m_size;
        while (i > kDigits && m_text[i - 1] == '9') m_text[--i] = '0';
        if (i > kDigits) {
            ++m_text[i - 1];
        } else {
            // All nines: one digit more.
            m_text[kDigits] = '1';
            m_text[m_size++] = '0';
        }
    }
    // The text for the current line.
    std::string_view text() const { return std::string_view(m_text, m_size); }

private:
    static constexpr std::size_t kDigits = 5;  // where the number begins
    char m_text[32] = "Line 0";
    std::size_t m_size = 6;
};

}  // namespace tally
