// The scanner's byte helpers with SSSE3 (built with -mssse3 -mpopcnt; called only on
// processors that have both).

#include "byte_blocks.h"

#if TESSALY_X86
namespace tessaly {

namespace {

// With SSSE3: two table look-ups by nibble. A byte is a number character when the bit of its
// high nibble's group is set in its low nibble's entry: group 1 is 0x28 0x29 0x2D 0x2E, group 2
// 0x30-0x39, group 4 0x7B 0x7D. Bytes from 0x80 up have no group.
[[gnu::always_inline]] inline Masks ClassifySsse3(__m128i v) {
    const __m128i lowTable = _mm_setr_epi8(2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 0, 4, 0, 5, 1, 0);
    const __m128i highTable = _mm_setr_epi8(0, 0, 1, 2, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i low = _mm_shuffle_epi8(lowTable, _mm_and_si128(v, nibble));
    const __m128i high = _mm_shuffle_epi8(highTable, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
    const __m128i groups = _mm_and_si128(low, high);
    const __m128i none = _mm_cmpeq_epi8(groups, _mm_setzero_si128());
    const __m128i digit = _mm_cmpeq_epi8(_mm_and_si128(groups, _mm_set1_epi8(2)), _mm_set1_epi8(2));
    return {~unsigned(_mm_movemask_epi8(none)) & 0xFFFFu,
            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))),
            unsigned(_mm_movemask_epi8(digit))};
}

using Ssse3Blocks = Blocks<ClassifySsse3>;

}  // namespace

namespace ssse3 {

const char* FindNumberChar(const char* p, const char* end) {
    return Ssse3Blocks::FindNumber(p, end);
}
const char* FindTokenEnd(const char* p, const char* end) {
    return Ssse3Blocks::FindEnd(p, end);
}
BlockMasks ClassifyBlock(const char* p, const char* end) {
    return Ssse3Blocks::Classify64(p, end);
}
TokenSpan MeasureTokenSpan(const char* p, const char* end) {
    return Ssse3Blocks::Measure(p, end);
}

// Gathers the digits of each half block with one shuffle (byte_blocks.h); writes 8 bytes per half.
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out) {
    return CopyDigitsShuffle(p, stop, end, out);
}

const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd) {
    return WalkDigitRunsWith<Ssse3Blocks::Classify64, CopyDigitsShuffle>(p, end, lengths, carry,
                                                                         out, outEnd);
}

// The line breaks are read apart, with the baseline compares.
static BlockMasks ClassifyWithBreaks(const char* p, const char* end, BreakMasks& breaks) {
    breaks = ClassifyBreaks(p, end);
    return Ssse3Blocks::Classify64(p, end);
}

const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut) {
    return WalkDigitRunsWith<Ssse3Blocks::Classify64, CopyDigitsShuffle, ClassifyWithBreaks>(
        p, end, lengths, carry, out, outEnd, &lineOut, textOut);
}

}  // namespace ssse3

}  // namespace tessaly
#endif
