#pragma once
// Finds the places of a few given byte values in a text, sixteen bytes at a time where the processor
// allows. The passes look for names only next to blanks, brackets, dots, commas and line ends; in
// source text these are a minority of the bytes, so skipping the others quickly matters.

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

// Calls visit(i) for every i, in increasing order, where text[i] is one of `bytes`.
template <std::size_t N, class Visit>
void forEachByteOf(std::string_view text, const char (&bytes)[N], Visit&& visit) {
    const char* data = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128i wanted[N];
    for (std::size_t k = 0; k < N; ++k) wanted[k] = _mm_set1_epi8(bytes[k]);
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i any = _mm_cmpeq_epi8(block, wanted[0]);
        for (std::size_t k = 1; k < N; ++k) any = _mm_or_si128(any, _mm_cmpeq_epi8(block, wanted[k]));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(any));
        while (mask != 0) {
            visit(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        for (std::size_t k = 0; k < N; ++k) {
            if (data[i] == bytes[k]) {
                visit(i);
                break;
            }
        }
    }
}

}  // namespace tally
