#include "byte_skip.h"

#include "number_chars.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaly {

namespace {

#if defined(__SSE2__)
// Lanes holding one of "0123456789.-(){}".
inline __m128i NumberMask(__m128i v) {
    const __m128i digitOffset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const __m128i digit =
        _mm_cmpeq_epi8(_mm_min_epu8(digitOffset, _mm_set1_epi8(9)), digitOffset);
    const __m128i dashDotOffset = _mm_sub_epi8(v, _mm_set1_epi8('-'));  // '-' and '.' adjoin
    const __m128i dashDot =
        _mm_cmpeq_epi8(_mm_min_epu8(dashDotOffset, _mm_set1_epi8(1)), dashDotOffset);
    const __m128i paren = _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(char(0xFE))),
                                         _mm_set1_epi8('('));  // '(' and ')' differ in bit 0
    const __m128i braces = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')),
                                        _mm_cmpeq_epi8(v, _mm_set1_epi8('}')));
    return _mm_or_si128(_mm_or_si128(digit, dashDot), _mm_or_si128(paren, braces));
}

template <bool kWantNumber>
const char* Find(const char* p, const char* end) {
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i mask = NumberMask(v);
        if (!kWantNumber) mask = _mm_or_si128(mask, _mm_cmpeq_epi8(v, _mm_set1_epi8(' ')));
        unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(mask));
        if (!kWantNumber) bits = ~bits & 0xFFFFu;
        if (bits != 0) return p + __builtin_ctz(bits);
        p += 16;
    }
    for (; p < end; ++p) {
        const CharClass c = kByteClass[static_cast<unsigned char>(*p)];
        const bool number = c == CharClass::Digit || c == CharClass::Punctuation;
        if (kWantNumber ? number : (!number && c != CharClass::Space)) return p;
    }
    return end;
}
#else
template <bool kWantNumber>
const char* Find(const char* p, const char* end) {
    for (; p < end; ++p) {
        const CharClass c = kByteClass[static_cast<unsigned char>(*p)];
        const bool number = c == CharClass::Digit || c == CharClass::Punctuation;
        if (kWantNumber ? number : (!number && c != CharClass::Space)) return p;
    }
    return end;
}
#endif

}  // namespace

const char* FindNumberChar(const char* p, const char* end) { return Find<true>(p, end); }
const char* FindTokenEnd(const char* p, const char* end) { return Find<false>(p, end); }

}  // namespace tessaly
