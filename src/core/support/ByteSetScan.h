#pragma once
// Finds the places of the bytes of one range in a text, sixteen bytes at a time where the processor
// allows. The passes look for names only next to blanks, brackets, dots, commas and line ends; in
// source text these are a minority of the bytes, so skipping the others quickly matters.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "core/support/ByteRange.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

// Calls visit(i), in increasing order, for every i where text[i] lies in `range`.
template <class Visit>
void forEachByteInRange(std::string_view text, ByteRange range, Visit&& visit) {
    if (range.empty()) return;
    const char* data = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i low = _mm_set1_epi8(static_cast<char>(range.lo));
    const __m128i width = _mm_set1_epi8(static_cast<char>(range.hi - range.lo));
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i offset = _mm_sub_epi8(block, low);
        auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset)));
        while (mask != 0) {
            visit(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < n; ++i)
        if (range.contains(data[i])) visit(i);
}

#if defined(__SSE2__)
namespace detail {
// Lanes of `block` equal to one of the bytes that fill `wanted`.
template <std::size_t N>
inline __m128i anyOf(__m128i block, const __m128i (&wanted)[N]) {
    __m128i any = _mm_cmpeq_epi8(block, wanted[0]);
    for (std::size_t k = 1; k < N; ++k) any = _mm_or_si128(any, _mm_cmpeq_epi8(block, wanted[k]));
    return any;
}
// Lanes of `block` whose unsigned value lies in `range` (low: all lo; width: all hi - lo).
inline __m128i inRange(__m128i block, __m128i low, __m128i width) {
    const __m128i offset = _mm_sub_epi8(block, low);
    return _mm_cmpeq_epi8(_mm_min_epu8(offset, width), offset);
}
}  // namespace detail
#endif

// Calls visit(i), in increasing order, for every i where text[i] is one of `leading` and the byte after
// it lies in `next`, or text[i] is one of `trailing` and the byte before it lies in `previous`; outside
// the text the neighbour is '\0'. With `next` the bytes that names begin with and `previous` those they
// end with, this passes over the many blanks of indentation and around operators that no name touches.
template <std::size_t L, std::size_t T, class Visit>
void forEachMarkBesideRange(std::string_view text, const char (&leading)[L], ByteRange next,
                            const char (&trailing)[T], ByteRange previous, Visit&& visit) {
    const char* data = text.data();
    const std::size_t n = text.size();
    if (n == 0) return;
#if defined(__SSE2__)
    const __m128i nextLow = _mm_set1_epi8(static_cast<char>(next.lo));
    const __m128i nextWidth = _mm_set1_epi8(static_cast<char>(next.hi - next.lo));
    const __m128i previousLow = _mm_set1_epi8(static_cast<char>(previous.lo));
    const __m128i previousWidth = _mm_set1_epi8(static_cast<char>(previous.hi - previous.lo));
    __m128i leadingBytes[L], trailingBytes[T];
    for (std::size_t k = 0; k < L; ++k) leadingBytes[k] = _mm_set1_epi8(leading[k]);
    for (std::size_t k = 0; k < T; ++k) trailingBytes[k] = _mm_set1_epi8(trailing[k]);
    const bool anyNext = !next.empty(), anyPrevious = !previous.empty();
    // Sixteen places at once, from `at`: the byte before and the byte after the sixteen must be
    // readable, so that each lane meets its neighbours in the blocks read one byte earlier and later.
    // The first block and the last, partial one are copied between zero bytes, which also stand for
    // the neighbours outside the text; lines are short, so that is the common case.
    char padded[18];
    for (std::size_t i = 0; i < n; i += 16) {
        const char* at = data + i;
        unsigned lanes = 0xFFFFu;
        if (i == 0 || i + 17 > n) {
            std::memset(padded, 0, sizeof padded);
            const std::size_t from = i > 0 ? i - 1 : 0;
            std::memcpy(padded + 1 - (i - from), data + from, std::min(n, i + 17) - from);
            at = padded + 1;
            if (n - i < 16) lanes = (1u << (n - i)) - 1;
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        __m128i wanted = _mm_setzero_si128();
        if (anyNext) {
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            wanted = detail::anyOf(block, leadingBytes) & detail::inRange(after, nextLow, nextWidth);
        }
        if (anyPrevious) {
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
            wanted |=
                detail::anyOf(block, trailingBytes) & detail::inRange(before, previousLow, previousWidth);
        }
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(wanted)) & lanes;
        while (mask != 0) {
            visit(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
#else
    auto isOneOf = [](char c, const char* bytes, std::size_t count) {
        for (std::size_t k = 0; k < count; ++k)
            if (c == bytes[k]) return true;
        return false;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char c = data[i];
        if ((isOneOf(c, leading, L) && next.contains(i + 1 < n ? data[i + 1] : '\0')) ||
            (isOneOf(c, trailing, T) && previous.contains(i > 0 ? data[i - 1] : '\0')))
            visit(i);
    }
#endif
}

}  // namespace tally
