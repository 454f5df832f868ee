// Wide units narrowed 32 at a time with AVX2 (built with -mavx2; called only on processors that
// have it). Everything here is a builtin or local to this file, so no code built for AVX2 can
// be lent to a caller elsewhere.

#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace tessaly::avx2 {

// Narrows the whole blocks of 32 units from p (see unit_narrowing.h); returns how many units
// it narrowed, a multiple of 32: the caller narrows the rest.
std::size_t NarrowUnitBlocks(const unsigned char* p, std::size_t units, std::size_t width, bool big,
                             char* out) {
    std::size_t i = 0;
    const auto load = [&](std::size_t at) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + at));
    };
    if (width == 2) {
        const __m256i high = _mm256_set1_epi16(short(0xFF80));
        const __m256i other = _mm256_set1_epi16(0x80);
        const auto narrow = [&](__m256i v) {
            if (big) v = _mm256_or_si256(_mm256_slli_epi16(v, 8), _mm256_srli_epi16(v, 8));
            const __m256i ascii =
                _mm256_cmpeq_epi16(_mm256_and_si256(v, high), _mm256_setzero_si256());
            return _mm256_blendv_epi8(other, v, ascii);
        };
        for (; units - i >= 32; i += 32) {
            const __m256i bytes =
                _mm256_packus_epi16(narrow(load(2 * i)), narrow(load(2 * i + 32)));
            // The packs work within each 128-bit half: the halves' quarters back in order.
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                                _mm256_permute4x64_epi64(bytes, 0xD8));
        }
    } else {
        const __m256i high = _mm256_set1_epi32(int(0xFFFFFF80));
        const __m256i other = _mm256_set1_epi32(0x80);
        const __m256i reverse =
            _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12, 3, 2, 1, 0, 7, 6,
                             5, 4, 11, 10, 9, 8, 15, 14, 13, 12);
        const auto narrow = [&](__m256i v) {
            if (big) v = _mm256_shuffle_epi8(v, reverse);
            const __m256i ascii =
                _mm256_cmpeq_epi32(_mm256_and_si256(v, high), _mm256_setzero_si256());
            return _mm256_blendv_epi8(other, v, ascii);
        };
        const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
        for (; units - i >= 32; i += 32) {
            const std::size_t at = 4 * i;
            const __m256i a = _mm256_packs_epi32(narrow(load(at)), narrow(load(at + 32)));
            const __m256i b = _mm256_packs_epi32(narrow(load(at + 64)), narrow(load(at + 96)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i),
                                _mm256_permutevar8x32_epi32(_mm256_packus_epi16(a, b), order));
        }
    }
    return i;
}

}  // namespace tessaly::avx2
#endif
