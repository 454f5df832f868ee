#pragma once
// The block code shared by the scanner's byte helpers. Three files include it: byte_skip.cpp
// for every processor, byte_skip_ssse3.cpp built with SSSE3 and byte_skip_avx2.cpp built with
// AVX2. Everything here has internal linkage and calls only builtins, never an inline function
// of another header, so no compilation for a newer processor can lend the others a copy of a
// function (the build checks the variants' objects define no shared symbol).

#include <cstring>

#include "byte_skip.h"
#include "number_chars.h"
#include "phone_number.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TESSALY_X86 1
#endif

namespace tessaly {
namespace {

// The byte classes as a plain array: std::array's operator[] is an inline function, which a
// build without optimisation leaves out of line, and shared, in every object that calls it.
struct ByteClassTable {
    CharClass of[256];
    constexpr ByteClassTable() : of{} {
        for (int b = 0; b < 256; ++b)
            of[b] = kByteClass[std::size_t(b)];
    }
    CharClass operator()(char c) const { return of[static_cast<unsigned char>(c)]; }
};
constexpr ByteClassTable kClassOf;

[[maybe_unused]] bool IsNumberByte(char c) {
    const CharClass k = kClassOf(c);
    return k == CharClass::Digit || k == CharClass::Punctuation;
}

// Portable versions; also the tails of the block versions.
[[maybe_unused]] const char* FindNumberScalar(const char* p, const char* end) {
    while (p < end && !IsNumberByte(*p))
        ++p;
    return p;
}

[[maybe_unused]] const char* FindTokenEndScalar(const char* p, const char* end) {
    while (p < end && kClassOf(*p) != CharClass::Other)
        ++p;
    return p;
}

[[maybe_unused]] TokenSpan MeasureScalar(const char* p, const char* end, std::size_t digits = 0) {
    for (; p < end; ++p) {
        const CharClass c = kClassOf(*p);
        if (c == CharClass::Other) break;
        digits += c == CharClass::Digit;
    }
    return {p, digits};
}

[[maybe_unused]] BlockMasks ClassifyBlockScalar(const char* p, const char* end) {
    BlockMasks m{0, 0, 0};
    const std::ptrdiff_t n = end - p < 64 ? end - p : 64;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const CharClass c = kClassOf(p[i]);
        const std::uint64_t bit = std::uint64_t{1} << i;
        if (c == CharClass::Digit || c == CharClass::Punctuation) m.number |= bit;
        if (c == CharClass::Digit) m.digit |= bit;
        if (c == CharClass::Space) m.space |= bit;
    }
    return m;
}

[[maybe_unused]] std::size_t CopyDigitsScalar(const char* p, const char* stop, char* out) {
    std::size_t n = 0;
    for (; p < stop; ++p) {
        out[n] = *p;  // every byte is written, only a digit is kept: no branch per byte
        n += static_cast<unsigned char>(*p - '0') < 10;
    }
    return n;
}

// The text of a kept number whose first digit is at `from` and whose run ends at `to`: from its
// run's first number character (not before `floor`) to its last. Out of line: only the outputs
// that write texts call it, and the walk stays small for the others.
[[gnu::noinline, maybe_unused]] TextSpan FindText(const char* floor, const char* from,
                                                  const char* to) {
    const char* first = from;
    while (first > floor && kClassOf(first[-1]) != CharClass::Other)
        --first;
    while (first < from && !IsNumberByte(*first))
        ++first;
    const char* last = to;
    while (last > first && last[-1] == ' ')
        --last;
    return {first, last};
}

// The walk over the runs that hold a digit (WalkDigitRuns in byte_skip.h), with a variant's
// block reading and digit copy built in. A block without a digit costs its reading only, unless
// a run is open: a run of number characters without a digit can never be a kept number, so it is
// never opened.
//
// With `ClassifyLines` (a block reading that also gives the CRs and LFs) each kept number's line
// is written at `lineOut` too, counted as LineEnds (line_breaks.h) counts them, and with
// `textOut` its text (FindText), looked for only when the number is kept.
//
// With `NoDigit` (whether 64 bytes hold no digit, and their CRs and LFs when it says so: cheaper
// than reading their classes), a whole block without a digit where no run is open is passed
// over on that answer alone: most blocks of prose.
template <BlockMasks (*Classify)(const char*, const char*),
          std::size_t (*Copy)(const char*, const char*, const char*, char*),
          BlockMasks (*ClassifyLines)(const char*, const char*, BreakMasks&) = nullptr,
          bool (*NoDigit)(const char*, BreakMasks&) = nullptr>
[[gnu::always_inline]] inline const char* WalkDigitRunsWith(
    const char* p, const char* end, std::uint32_t lengths, DigitRunCarry& carry, char*& out,
    const char* outEnd, std::size_t** lineOut = nullptr, TextSpan** textOut = nullptr) {
    constexpr bool kLines = ClassifyLines != nullptr;
    auto emit = [&](const char* from, const char* to, std::size_t digits, std::size_t line) {
        if (digits > kMaxDigits || !(lengths >> digits & 1u)) return;
        out += Copy(from, to, end, out);
        *out++ = '\n';
        if constexpr (kLines) {
            *(*lineOut)++ = line;
            if (textOut) *(*textOut)++ = FindText(carry.textFloor, from, to);
        }
    };
    const char* block = p;
    // The line ends of a block as LineEnds counts them, counted on.
    auto passLines = [&](const BreakMasks& breaks, std::size_t valid) {
        const std::uint64_t ends =
            breaks.cr | (breaks.lf & ~((breaks.cr << 1) | std::uint64_t{carry.afterCr}));
        carry.line += unsigned(__builtin_popcountll(ends));
        carry.afterCr = block[valid - 1] == '\r';
        return ends;
    };
    for (; block < end; block += 64) {
        if (std::size_t(outEnd - out) < kDigitRunBlockRoom) return block;
        const std::size_t valid = end - block < 64 ? std::size_t(end - block) : 64;
        if constexpr (NoDigit != nullptr) {
            BreakMasks breaks;
            if (!carry.from && valid == 64 && NoDigit(block, breaks)) {
                if constexpr (kLines) passLines(breaks, valid);
                continue;
            }
        }
        BlockMasks m;
        std::uint64_t lineEnds = 0;
        const std::size_t blockLine = carry.line;
        if constexpr (kLines) {
            BreakMasks breaks;
            m = ClassifyLines(block, end, breaks);
            lineEnds = passLines(breaks, valid);
        } else {
            m = Classify(block, end);
        }
        // The line of the byte at bit `at` of this block.
        auto lineAt = [&](unsigned at) {
            return blockLine +
                   unsigned(__builtin_popcountll(lineEnds & ((std::uint64_t{1} << at) - 1)));
        };
        // Bytes past the piece count as inside: a run that reaches its end stays open.
        const std::uint64_t past = valid == 64 ? 0 : ~std::uint64_t{0} << valid;
        const std::uint64_t outside = ~(m.number | m.space) & ~past;
        std::uint64_t digits = m.digit;
        if (carry.from) {
            if (!outside) {
                carry.digits += unsigned(__builtin_popcountll(digits));
                continue;
            }
            const unsigned stop = unsigned(__builtin_ctzll(outside));
            const std::uint64_t before = (std::uint64_t{1} << stop) - 1;
            emit(carry.from, block + stop,
                 carry.digits + unsigned(__builtin_popcountll(digits & before)), carry.fromLine);
            carry.from = nullptr;
            digits &= ~before;
        }
        while (digits) {
            const unsigned first = unsigned(__builtin_ctzll(digits));
            const std::uint64_t after = outside & (~std::uint64_t{0} << first);
            if (!after) {
                carry.from = block + first;
                carry.digits = unsigned(__builtin_popcountll(digits));
                if constexpr (kLines) carry.fromLine = lineAt(first);
                break;
            }
            const unsigned stop = unsigned(__builtin_ctzll(after));
            const std::uint64_t before = (std::uint64_t{1} << stop) - 1;
            emit(block + first, block + stop, unsigned(__builtin_popcountll(digits & before)),
                 kLines ? lineAt(first) : 0);
            digits &= ~before;
        }
    }
    return end;
}

#if TESSALY_X86
// Masks of 16 bytes, one bit per byte: number characters, spaces, digits.
struct Masks {
    unsigned number, space, digit;
};

// Baseline x86-64: compares only.
[[maybe_unused, gnu::always_inline]] inline Masks ClassifySse2(__m128i v) {
    const __m128i digitOffset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
    const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(digitOffset, _mm_set1_epi8(9)), digitOffset);
    const __m128i dashDotOffset = _mm_sub_epi8(v, _mm_set1_epi8('-'));  // '-' and '.' adjoin
    const __m128i dashDot =
        _mm_cmpeq_epi8(_mm_min_epu8(dashDotOffset, _mm_set1_epi8(1)), dashDotOffset);
    const __m128i paren = _mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(char(0xFE))),
                                         _mm_set1_epi8('('));  // '(' and ')' differ in bit 0
    const __m128i braces =
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')), _mm_cmpeq_epi8(v, _mm_set1_epi8('}')));
    const __m128i number = _mm_or_si128(_mm_or_si128(digit, dashDot), _mm_or_si128(paren, braces));
    return {unsigned(_mm_movemask_epi8(number)),
            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')))),
            unsigned(_mm_movemask_epi8(digit))};
}

// Shuffles that gather the bytes whose bit is set in an 8-bit mask to the front.
struct CompactTable {
    alignas(16) unsigned char shuffle[256][8];
    constexpr CompactTable() : shuffle{} {
        for (int m = 0; m < 256; ++m) {
            int k = 0;
            for (int b = 0; b < 8; ++b) {
                if (m & (1 << b)) shuffle[m][k++] = static_cast<unsigned char>(b);
            }
            for (; k < 8; ++k)
                shuffle[m][k] = 0x80;
        }
    }
};
constexpr CompactTable kCompact;

template <Masks (*Classify)(__m128i)>
struct Blocks {
    // 16 bytes from p; bytes past `end` read as 0 (never a number character or a space).
    [[gnu::always_inline]] static __m128i Load(const char* p, const char* end) {
        if (end - p >= 16) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        alignas(16) char tail[16] = {};
        std::memcpy(tail, p, static_cast<std::size_t>(end - p));
        return _mm_load_si128(reinterpret_cast<const __m128i*>(tail));
    }

    static const char* FindNumber(const char* p, const char* end) {
        for (; end - p >= 16; p += 16) {
            const unsigned bits = Classify(Load(p, end)).number;
            if (bits) return p + __builtin_ctz(bits);
        }
        return FindNumberScalar(p, end);
    }

    static const char* FindEnd(const char* p, const char* end) {
        for (; end - p >= 16; p += 16) {
            const Masks m = Classify(Load(p, end));
            const unsigned outside = ~(m.number | m.space) & 0xFFFFu;
            if (outside) return p + __builtin_ctz(outside);
        }
        return FindTokenEndScalar(p, end);
    }

    [[gnu::always_inline]] static BlockMasks Classify64(const char* p, const char* end) {
        BlockMasks out{0, 0, 0};
        alignas(16) char padded[64];
        if (end - p < 64) {  // bytes past the end read as 0: never a number character or space
            std::memset(padded, 0, sizeof padded);
            std::memcpy(padded, p, static_cast<std::size_t>(end - p));
            p = padded;
        }
        for (int i = 0; i < 4; ++i) {
            const Masks m = Classify(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i)));
            out.number |= std::uint64_t{m.number} << (16 * i);
            out.space |= std::uint64_t{m.space} << (16 * i);
            out.digit |= std::uint64_t{m.digit} << (16 * i);
        }
        return out;
    }

    static TokenSpan Measure(const char* p, const char* end) {
        std::size_t digits = 0;
        for (; end - p >= 16; p += 16) {
            const Masks m = Classify(Load(p, end));
            const unsigned outside = ~(m.number | m.space) & 0xFFFFu;
            if (outside) {
                const unsigned before = (1u << __builtin_ctz(outside)) - 1;
                return {p + __builtin_ctz(outside),
                        digits + unsigned(__builtin_popcount(m.digit & before))};
            }
            digits += unsigned(__builtin_popcount(m.digit));
        }
        return MeasureScalar(p, end, digits);
    }
};

using Sse2Blocks = Blocks<ClassifySse2>;

#if defined(__SSSE3__)
// The digits of [p, stop) gathered 8 bytes at a time with one shuffle each; up to 16 bytes are
// written past the last digit.
[[gnu::always_inline]] inline std::size_t CopyDigitsShuffle(const char* p, const char* stop,
                                                            const char* end, char* out) {
    std::size_t n = 0;
    for (; p < stop; p += 16) {
        const __m128i v = Sse2Blocks::Load(p, end);
        const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8('0'));
        unsigned bits = unsigned(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(9)), offset)));
        if (stop - p < 16) bits &= (1u << (stop - p)) - 1;
        const __m128i low = _mm_shuffle_epi8(
            v, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompact.shuffle[bits & 0xFF])));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + n), low);
        n += unsigned(__builtin_popcount(bits & 0xFF));
        const __m128i high = _mm_shuffle_epi8(
            _mm_srli_si128(v, 8),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompact.shuffle[bits >> 8])));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + n), high);
        n += unsigned(__builtin_popcount(bits >> 8));
    }
    return n;
}
#endif

#endif

}  // namespace
}  // namespace tessaly
