#pragma once
// The text of the routine being read: its logical lines from the header on, each followed by CR LF.
//
// In most files that text already stands in the file as it is: whole physical lines ending in CR
// LF, one after the other. While it does, the routine text is a view of the file's bytes rather than
// a copy of every line; the first line that does not follow on (a joined continuation, a header
// with blanks after it, a line ending otherwise, a line of another file) turns it into a copy of its
// own, which the later lines are appended to.
//
// It also notes, as the lines come, which of them may declare locals (for the unused-local check).

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/parser/LocalDeclarationLines.h"

namespace tally {

class RoutineText {
public:
    // The bytes of the file whose lines follow; they must outlive the lines taken from them, and a
    // view of them is copied before they go (detach()).
    void setFile(std::string_view bytes) { m_file = bytes; }

    // Starts a routine with its header line.
    void start(std::string_view header) {
        clear();
        noteLocalDeclarationLine(m_declarationLines, header, 0);
        if (inFile(header) && followedByCrLf(offsetOf(header.data()) + header.size())) {
            m_viewStart = offsetOf(header.data());
            m_viewSize = header.size() + 2;
            m_viewing = true;
            return;
        }
        appendCopy(header);
    }
    // Adds the next logical line; `trimmed`, when given, is trimView(line), which the reader has
    // at hand.
    void append(std::string_view line) { append(line, trimView(line)); }
    void append(std::string_view line, std::string_view trimmed) {
        noteLocalDeclarationLine(m_declarationLines, line, trimmed, size());
        if (m_viewing) {
            const std::size_t end = m_viewStart + m_viewSize;
            // The line goes on where the view ends (compared as addresses: equal ones are the same
            // place; a line of another buffer is never equal unless it starts past the file's end,
            // where no CR LF can follow).
            if (line.data() == m_file.data() + end && followedByCrLf(end + line.size())) {
                m_viewSize += line.size() + 2;
                return;
            }
            detach();
        }
        appendCopy(line);
    }
    // Makes the text a copy of its own, so that it outlives the file's bytes.
    void detach() {
        if (!m_viewing) return;
        m_own.assign(m_file.substr(m_viewStart, m_viewSize));
        m_viewing = false;
    }
    void clear() {
        m_own.clear();
        m_viewing = false;
        m_viewSize = 0;
        m_declarationLines.clear();
    }
    bool empty() const { return size() == 0; }
    std::size_t size() const { return m_viewing ? m_viewSize : m_own.size(); }
    std::string_view view() const {
        return m_viewing ? m_file.substr(m_viewStart, m_viewSize) : std::string_view(m_own);
    }
    // The lines of the text that may declare locals, in order.
    const std::vector<LineSpan>& declarationLines() const { return m_declarationLines; }

private:
    bool inFile(std::string_view s) const {
        const std::less<const char*> before;
        return !m_file.empty() && !before(s.data(), m_file.data()) &&
               before(s.data(), m_file.data() + m_file.size());
    }
    std::size_t offsetOf(const char* p) const { return static_cast<std::size_t>(p - m_file.data()); }
    // Whether the file holds CR LF at `at`.
    bool followedByCrLf(std::size_t at) const {
        return at + 2 <= m_file.size() && m_file[at] == '\r' && m_file[at + 1] == '\n';
    }
    void appendCopy(std::string_view line) {
        m_own.append(line);
        m_own.append("\r\n");
    }

    std::string_view m_file;
    std::size_t m_viewStart = 0, m_viewSize = 0;
    bool m_viewing = false;
    std::string m_own;  // kept between routines, so that copies reuse its storage
    std::vector<LineSpan> m_declarationLines;
};

}  // namespace tally
