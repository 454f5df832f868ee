#include "line_breaks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaly {

std::size_t CountLineBreaks(const char* p, const char* stop) {
    std::size_t breaks = 0;
#if defined(__SSE2__)
    // 16 bytes at a time, each compared with the byte after it; the last byte is left to the
    // tail, whose CR counts without a look past `stop`.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; stop - p > 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        const __m128i isLf = _mm_cmpeq_epi8(v, lf);
        const __m128i loneCr = _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(v, cr));
        breaks +=
            unsigned(__builtin_popcount(unsigned(_mm_movemask_epi8(_mm_or_si128(isLf, loneCr)))));
    }
#endif
    for (; p < stop; ++p) {
        if (*p == '\n') {
            ++breaks;
        } else if (*p == '\r') {
            breaks += p + 1 == stop || p[1] != '\n';
        }
    }
    return breaks;
}

}  // namespace tessaly
