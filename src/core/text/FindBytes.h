#pragma once
// Finding one text in another as std::string_view::find does, sixteen places at a time where the
// processor allows. The passes look for keywords and names in every line and routine of a project.

#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

// Where `word` first occurs in `text` at or after `from`, as text.find(word, from) says. Sixteen
// places are tried at once by the word's first and last bytes, which together rule out nearly every
// place in code text (a name's first letter alone recurs every few bytes), and only the places left
// are compared in full.
inline std::size_t findBytes(std::string_view text, std::string_view word, std::size_t from = 0) {
    constexpr std::size_t npos = std::string_view::npos;
    const std::size_t m = word.size();
    if (m == 0) return from <= text.size() ? from : npos;
    if (m > text.size()) return npos;
    const std::size_t last = text.size() - m;  // the last place the word fits at
    const char* const data = text.data();
    const char head = word[0], tail = word[m - 1];
    // The bytes between the first and the last, once those two are seen to fit.
    auto middleFitsAt = [&](std::size_t at) {
        return m <= 2 || std::memcmp(data + at + 1, word.data() + 1, m - 2) == 0;
    };
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i heads = _mm_set1_epi8(head), tails = _mm_set1_epi8(tail);
    // Places i .. i + 15 all fit, so the block of their last bytes ends inside the text.
    for (; i + 15 <= last; i += 16) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i end = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + m - 1));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, heads), _mm_cmpeq_epi8(end, tails))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (middleFitsAt(at)) return at;
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if (data[i] == head && data[i + m - 1] == tail && middleFitsAt(i)) return i;
    return npos;
}

}  // namespace tally
