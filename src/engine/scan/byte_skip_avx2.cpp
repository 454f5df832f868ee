// Block classification with AVX2 (built with -mavx2; called only on processors that have it):
// 32 bytes per step, by the same two nibble look-ups as the SSSE3 variant.

#include "byte_blocks.h"

#if TESSALY_X86
namespace tessaly::avx2 {

namespace {

struct Masks32 {
    std::uint32_t number, space, digit;
};

[[gnu::always_inline]] inline Masks32 Classify32(__m256i v) {
    const __m256i lowTable = _mm256_setr_epi8(2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 0, 4, 0, 5, 1, 0, 2, 2,
                                              2, 2, 2, 2, 2, 2, 3, 3, 0, 4, 0, 5, 1, 0);
    const __m256i highTable = _mm256_setr_epi8(0, 0, 1, 2, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                               1, 2, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i low = _mm256_shuffle_epi8(lowTable, _mm256_and_si256(v, nibble));
    const __m256i high =
        _mm256_shuffle_epi8(highTable, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
    const __m256i groups = _mm256_and_si256(low, high);
    const __m256i none = _mm256_cmpeq_epi8(groups, _mm256_setzero_si256());
    const __m256i two = _mm256_set1_epi8(2);
    const __m256i digit = _mm256_cmpeq_epi8(_mm256_and_si256(groups, two), two);
    const __m256i space = _mm256_cmpeq_epi8(v, _mm256_set1_epi8(' '));
    return {~std::uint32_t(_mm256_movemask_epi8(none)), std::uint32_t(_mm256_movemask_epi8(space)),
            std::uint32_t(_mm256_movemask_epi8(digit))};
}

// The CRs and LFs of 64 bytes.
[[gnu::always_inline]] inline BreakMasks Breaks(__m256i low, __m256i high) {
    const auto bits = [&](char c) {
        const __m256i byte = _mm256_set1_epi8(c);
        return std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, byte))) |
               std::uint64_t{std::uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, byte)))}
                   << 32;
    };
    return {bits('\r'), bits('\n')};
}

// Both block readings, the breaks only when asked.
template <bool kBreaks>
[[gnu::always_inline]] inline BlockMasks Classify64(const char* p, const char* end,
                                                    BreakMasks* breaks) {
    alignas(32) char padded[64];
    if (end - p < 64) {  // bytes past the end read as 0: never a number character, space or break
        std::memset(padded, 0, sizeof padded);
        std::memcpy(padded, p, static_cast<std::size_t>(end - p));
        p = padded;
    }
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    if constexpr (kBreaks) *breaks = Breaks(low, high);
    const Masks32 a = Classify32(low);
    const Masks32 b = Classify32(high);
    return {a.number | std::uint64_t{b.number} << 32, a.space | std::uint64_t{b.space} << 32,
            a.digit | std::uint64_t{b.digit} << 32};
}

// Whether the 64 bytes at p hold no digit (one range compare per 32 bytes), and then, when
// asked, their CRs and LFs.
template <bool kBreaks>
[[gnu::always_inline]] inline bool NoDigit(const char* p, BreakMasks& breaks) {
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    const auto digits = [](__m256i v) {
        const __m256i offset = _mm256_sub_epi8(v, _mm256_set1_epi8('0'));
        return _mm256_cmpeq_epi8(_mm256_min_epu8(offset, _mm256_set1_epi8(9)), offset);
    };
    const __m256i both = _mm256_or_si256(digits(low), digits(high));
    if (!_mm256_testz_si256(both, both)) return false;
    if constexpr (kBreaks) breaks = Breaks(low, high);
    return true;
}

[[gnu::always_inline]] inline BlockMasks ClassifyPlain(const char* p, const char* end) {
    return Classify64<false>(p, end, nullptr);
}

[[gnu::always_inline]] inline BlockMasks ClassifyWithBreaks(const char* p, const char* end,
                                                            BreakMasks& breaks) {
    return Classify64<true>(p, end, &breaks);
}

}  // namespace

BlockMasks ClassifyBlock(const char* p, const char* end) {
    return Classify64<false>(p, end, nullptr);
}

BlockMasks ClassifyBlockAndBreaks(const char* p, const char* end, BreakMasks& breaks) {
    return Classify64<true>(p, end, &breaks);
}

// The plain scan's walk with the block reading built in: one call per piece, not per block.
const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd) {
    return WalkDigitRunsWith<ClassifyPlain, CopyDigitsShuffle, nullptr, NoDigit<false>>(
        p, end, lengths, carry, out, outEnd);
}

const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut) {
    return WalkDigitRunsWith<ClassifyPlain, CopyDigitsShuffle, ClassifyWithBreaks, NoDigit<true>>(
        p, end, lengths, carry, out, outEnd, &lineOut, textOut);
}

}  // namespace tessaly::avx2
#endif
