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

namespace detail {
template <std::size_t N>
bool isOneOf(char c, const char (&bytes)[N]) {
    for (std::size_t k = 0; k < N; ++k)
        if (c == bytes[k]) return true;
    return false;
}
}  // namespace detail

// Calls visitLeading(i) for every i where text[i] is one of `leading` and the byte after it lies in
// `next`, and visitTrailing(i) for every i where text[i] is one of `trailing` and the byte before it
// lies in `previous`; outside the text the neighbour is '\0'. With `next` the bytes that names begin
// with and `previous` those they end with, this passes over the many blanks of indentation and
// around operators that no name touches.
//
// The places come sixteen at a time: those of one block in increasing order on each side, the
// leading ones first. So each side's places come in increasing order, and a visitor needs no test
// of which side a place is on: a branch at every place whose way follows the text, so that the
// processor can seldom tell it in advance.
//
// `readable`, when given, is a larger text that holds `text` (a line of a file, say): where it has a
// byte before the text and sixteen after it, the blocks are read in place rather than copied between
// zero bytes, and only the two end places are judged again with '\0' beside them.
template <std::size_t L, std::size_t T, class VisitLeading, class VisitTrailing>
void forEachMarkBesideRange(std::string_view text, const char (&leading)[L], ByteRange next,
                            const char (&trailing)[T], ByteRange previous, VisitLeading&& visitLeading,
                            VisitTrailing&& visitTrailing, std::string_view readable = {}) {
    const char* data = text.data();
    const std::size_t n = text.size();
    if (n == 0) return;
    // The plain reading at one place, for the places whose neighbour lies outside the text.
    auto leadsAt = [&](std::size_t j) {
        return detail::isOneOf(data[j], leading) && next.contains(j + 1 < n ? data[j + 1] : '\0');
    };
    auto trailsAt = [&](std::size_t j) {
        return detail::isOneOf(data[j], trailing) && previous.contains(j > 0 ? data[j - 1] : '\0');
    };
    auto visitBits = [](std::size_t base, unsigned mask, auto& visit) {
        while (mask != 0) {
            visit(base + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    };
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
    const bool inPlace = !readable.empty() && data > readable.data() &&
                         data + n + 16 <= readable.data() + readable.size();
    char padded[18];
    for (std::size_t i = 0; i < n; i += 16) {
        const char* at = data + i;
        unsigned lanes = 0xFFFFu;
        if (inPlace) {
            if (n - i < 16) lanes = (1u << (n - i)) - 1;
        } else if (i == 0 || i + 17 > n) {
            std::memset(padded, 0, sizeof padded);
            const std::size_t from = i > 0 ? i - 1 : 0;
            std::memcpy(padded + 1 - (i - from), data + from, std::min(n, i + 17) - from);
            at = padded + 1;
            if (n - i < 16) lanes = (1u << (n - i)) - 1;
        }
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        unsigned leads = 0, trails = 0;
        if (anyNext) {
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            leads = static_cast<unsigned>(_mm_movemask_epi8(detail::anyOf(block, leadingBytes) &
                                                            detail::inRange(after, nextLow, nextWidth))) &
                    lanes;
        }
        if (anyPrevious) {
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1));
            trails = static_cast<unsigned>(
                         _mm_movemask_epi8(detail::anyOf(block, trailingBytes) &
                                           detail::inRange(before, previousLow, previousWidth))) &
                     lanes;
        }
        if (inPlace) {
            // The bytes read beside the first and the last place belong to the larger text.
            if (i == 0) {
                leads = (leads & ~1u) | (leadsAt(0) ? 1u : 0u);
                trails = (trails & ~1u) | (trailsAt(0) ? 1u : 0u);
            }
            if (n - i <= 16) {
                const unsigned lastLane = 1u << (n - 1 - i);
                leads = (leads & ~lastLane) | (leadsAt(n - 1) ? lastLane : 0u);
                trails = (trails & ~lastLane) | (trailsAt(n - 1) ? lastLane : 0u);
            }
        }
        visitBits(i, leads, visitLeading);
        visitBits(i, trails, visitTrailing);
    }
#else
    (void)readable;
    (void)visitBits;
    for (std::size_t i = 0; i < n; i += 16) {
        const std::size_t end = std::min(n, i + 16);
        for (std::size_t j = i; j < end; ++j)
            if (leadsAt(j)) visitLeading(j);
        for (std::size_t j = i; j < end; ++j)
            if (trailsAt(j)) visitTrailing(j);
    }
#endif
}

}  // namespace tally
