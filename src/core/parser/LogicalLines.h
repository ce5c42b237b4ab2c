#pragma once
// Logical lines: physical lines joined where a line ends in the continuation mark "_".

#include <string>
#include <string_view>

namespace tally {

// Joins the physical lines of one file into logical lines. A raw line whose very last character is
// "_" (not trimmed first, so "x _  " does not continue) is held back; the next line that does not
// continue completes the logical line, which then reads: a space, each held part without its mark
// and trimmed, each followed by a space, and the completing line trimmed. A line that needs no
// joining is passed through unchanged.
class LogicalLineJoiner {
public:
    // Takes one raw line. Returns true and sets `logical` when a logical line is complete; false
    // while a continuation is pending. The view stays valid until the next call.
    bool feed(std::string_view raw, std::string_view& logical) {
        // Inline for the usual line, which neither continues nor completes a continuation.
        if (!m_continuing && (raw.empty() || raw.back() != '_')) {
            logical = raw;
            return true;
        }
        return feedJoining(raw, logical);
    }
    // Forgets a pending continuation (a new file starts).
    void reset();
    bool continuing() const { return m_continuing; }

private:
    bool feedJoining(std::string_view raw, std::string_view& logical);

    std::string m_buffer;
    std::string m_joined;
    bool m_continuing = false;
};

}  // namespace tally
