#include "line_breaks.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaly {

std::size_t CountLineBreaks(const char* p, const char* stop, bool afterCr) {
    std::size_t breaks = 0;
#if defined(__SSE2__)
    // 16 bytes at a time, each compared with the byte before it. The matches are summed as
    // bytes (each compare gives 0 or -1) and folded into the total every 255 rounds at most.
    if (stop - p >= 17) {
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        breaks += *p == '\r' || (*p == '\n' && !afterCr);
        ++p;  // from here on the byte before p is always in the text
        while (stop - p >= 16) {
            __m128i sums = _mm_setzero_si128();
            for (int round = 0; round < 255 && stop - p >= 16; ++round, p += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1));
                const __m128i isCr = _mm_cmpeq_epi8(v, cr);
                const __m128i loneLf =
                    _mm_andnot_si128(_mm_cmpeq_epi8(before, cr), _mm_cmpeq_epi8(v, lf));
                sums = _mm_sub_epi8(sums, _mm_or_si128(isCr, loneLf));
            }
            const __m128i total = _mm_sad_epu8(sums, _mm_setzero_si128());
            breaks += std::size_t(_mm_cvtsi128_si32(total)) +
                      std::size_t(_mm_cvtsi128_si32(_mm_unpackhi_epi64(total, total)));
        }
        afterCr = p[-1] == '\r';
    }
#endif
    for (; p < stop; ++p) {
        breaks += *p == '\r' || (*p == '\n' && !afterCr);
        afterCr = *p == '\r';
    }
    return breaks;
}

BreakMasks ClassifyBreaks(const char* p, const char* end) {
    BreakMasks m{0, 0};
    const std::size_t n = end - p < 64 ? std::size_t(end - p) : 64;
#if defined(__SSE2__)
    alignas(16) char padded[64];
    if (n < 64) {  // bytes past the end read as 0: neither CR nor LF
        std::memset(padded, 0, sizeof padded);
        std::memcpy(padded, p, n);
        p = padded;
    }
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        m.cr |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')))))
                << (16 * i);
        m.lf |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')))))
                << (16 * i);
    }
#else
    for (std::size_t i = 0; i < n; ++i) {
        m.cr |= std::uint64_t{p[i] == '\r'} << i;
        m.lf |= std::uint64_t{p[i] == '\n'} << i;
    }
#endif
    return m;
}

}  // namespace tessaly
