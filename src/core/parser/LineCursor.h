#pragma once
// Walks the physical lines of a text one at a time, cut as splitLines cuts them (at CR LF, a lone CR
// or a lone LF; a last line without terminator counts), without building the list of lines: a pass
// that reads each line once needs no vector per file, and can stop in the middle.

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

class LineCursor {
public:
    // A cursor before the first line of `text`, which must outlive it.
    explicit LineCursor(std::string_view text) : m_text(text) {}

    // The next line, or false after the last one.
    bool next(std::string_view& line) {
        const std::size_t n = m_text.size();
        if (m_start >= n) return false;
        const std::size_t end = endOfLine(m_start);
        line = m_text.substr(m_start, end - m_start);
        m_endsInCrLf = end + 1 < n && m_text[end] == '\r' && m_text[end + 1] == '\n';
        m_start = end + (m_endsInCrLf ? 2 : 1);
        return true;
    }
    // Whether the line last returned ended in CR LF.
    bool endsInCrLf() const { return m_endsInCrLf; }

private:
    // The first CR or LF at or after `from`, or the end of the text.
    std::size_t endOfLine(std::size_t from) const {
        const char* data = m_text.data();
        const std::size_t n = m_text.size();
        std::size_t i = from;
#if defined(__SSE2__)
        const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
        for (; i + 16 <= n; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            const int mask =
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
            if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
#endif
        for (; i < n; ++i)
            if (data[i] == '\r' || data[i] == '\n') return i;
        return n;
    }

    std::string_view m_text;
    std::size_t m_start = 0;
    bool m_endsInCrLf = false;
};

}  // namespace tally
