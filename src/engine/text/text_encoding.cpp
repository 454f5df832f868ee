#include "text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "separator_map.h"
#include "unit_narrowing.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// On x86 the AVX2 narrowing is built too (unit_narrowing_avx2.cpp), and run where the processor
// has AVX2.
#if defined(__x86_64__) || defined(__i386__)
#define TESSALY_X86_AVX2 1
#endif

namespace tessaly {

#if TESSALY_X86_AVX2
namespace avx2 {
std::size_t NarrowUnitBlocks(const unsigned char* p, std::size_t units, std::size_t width, bool big,
                             char* out);
}  // namespace avx2
#endif

namespace {

bool StartsWith(std::string_view head, std::initializer_list<unsigned char> mark) {
    if (head.size() < mark.size()) return false;
    std::size_t i = 0;
    for (unsigned char b : mark) {
        if (static_cast<unsigned char>(head[i++]) != b) return false;
    }
    return true;
}

bool IsBigEndian(TextEncoding e) {
    return e == TextEncoding::Utf16BE || e == TextEncoding::Utf32BE;
}

char32_t ReadUnit(const unsigned char* b, std::size_t width, bool bigEndian) {
    char32_t v = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        v |= static_cast<char32_t>(b[i]) << shift;
    }
    return v;
}

// Bytes 0x80 to 0x9F of Windows-1252; the five it leaves undefined map to the C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// A character's projection, with the separators read as their ASCII characters.
char ProjectSeparator(char32_t c) {
    if (c < 0x80) return char(c);
    const char mapped = c <= 0xFFFF ? MapSeparator(char16_t(c)) : 0;
    return mapped ? mapped : char(0x80);
}

// Windows-1252 bytes projected with the separators (its en and em dash, its no-break space).
struct EightBitSeparators {
    char byte[256];
    constexpr EightBitSeparators() : byte{} {
        for (int b = 0; b < 256; ++b) {
            const char16_t c = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b);
            const char mapped = c < 0x80 ? char(c) : MapSeparator(c);
            byte[b] = mapped ? mapped : char(0x80);
        }
    }
};
constexpr EightBitSeparators kEightBitSeparators;

// A wide unit's projection.
char ProjectUnit(char32_t v, bool separators) {
    return separators ? ProjectSeparator(v) : v < 0x80 ? char(v) : char(0x80);
}

// Projects `units` whole UTF-16 or UTF-32 units from p to `out`; returns the end of what it wrote.
// Sixteen units at a time: every unit below 0x80 becomes its byte, every other one 0x80, by
// compares and packs; with the separators, sixteen units that are not all ASCII go one by one.
template <bool kSeparators>
char* NarrowUnitsSse2(const unsigned char* p, std::size_t units, std::size_t width, bool big,
                      char* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const auto load = [&](std::size_t at) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        if (big) {  // each unit's bytes the other way round
            v = _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
            if (width == 4) v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xB1), 0xB1);
        }
        return v;
    };
    // Units below 0x80 as themselves, others as 0x80; `ascii` gathers which were below.
    const auto narrow16 = [](__m128i v, __m128i& ascii) {
        const __m128i low =
            _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
        ascii = _mm_and_si128(ascii, low);
        return _mm_or_si128(_mm_and_si128(v, low), _mm_andnot_si128(low, _mm_set1_epi16(0x80)));
    };
    const auto narrow32 = [](__m128i v, __m128i& ascii) {
        const __m128i low =
            _mm_cmpeq_epi32(_mm_and_si128(v, _mm_set1_epi32(int(0xFFFFFF80))), _mm_setzero_si128());
        ascii = _mm_and_si128(ascii, low);
        return _mm_or_si128(_mm_and_si128(v, low), _mm_andnot_si128(low, _mm_set1_epi32(0x80)));
    };
    for (; units - i >= 16; i += 16) {
        const std::size_t at = i * width;
        __m128i ascii = _mm_set1_epi8(-1);
        __m128i bytes;
        if (width == 2) {
            bytes = _mm_packus_epi16(narrow16(load(at), ascii), narrow16(load(at + 16), ascii));
        } else {
            const __m128i a =
                _mm_packs_epi32(narrow32(load(at), ascii), narrow32(load(at + 16), ascii));
            const __m128i b =
                _mm_packs_epi32(narrow32(load(at + 32), ascii), narrow32(load(at + 48), ascii));
            bytes = _mm_packus_epi16(a, b);
        }
        if (kSeparators && _mm_movemask_epi8(ascii) != 0xFFFF) {
            for (std::size_t k = 0; k < 16; ++k)
                out[k] = ProjectUnit(ReadUnit(p + at + k * width, width, big), true);
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
        }
        out += 16;
    }
#endif
    for (; i < units; ++i)
        *out++ = ProjectUnit(ReadUnit(p + i * width, width, big), kSeparators);
    return out;
}

// A unit at a time, for processors without SSE2 and as the measure of the others.
char* NarrowUnitsPortable(const unsigned char* p, std::size_t units, std::size_t width, bool big,
                          char* out) {
    for (std::size_t i = 0; i < units; ++i)
        *out++ = ProjectUnit(ReadUnit(p + i * width, width, big), false);
    return out;
}

#if TESSALY_X86_AVX2
// Whole blocks of 32 units with AVX2, the rest as SSE2 does.
char* NarrowUnitsAvx2(const unsigned char* p, std::size_t units, std::size_t width, bool big,
                      char* out) {
    const std::size_t done = avx2::NarrowUnitBlocks(p, units, width, big, out);
    return NarrowUnitsSse2<false>(p + done * width, units - done, width, big, out + done);
}
#endif

// The fastest narrowing this processor runs, chosen on first use.
NarrowUnitsFunction BestNarrowing() {
    static const NarrowUnitsFunction best = AvailableUnitNarrowings().back().narrow;
    return best;
}

// Appends ASCII bytes from p for as long as whole words of them come; returns where that ends.
const unsigned char* CopyAscii(const unsigned char* p, const unsigned char* end, std::string& out) {
    const unsigned char* const from = p;
    for (std::uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    out.append(reinterpret_cast<const char*>(from), std::size_t(p - from));
    return p;
}

}  // namespace

std::vector<UnitNarrowing> AvailableUnitNarrowings() {
    std::vector<UnitNarrowing> ways{{"portable", NarrowUnitsPortable}};
#if defined(__SSE2__)
    ways.push_back({"sse2", NarrowUnitsSse2<false>});
#endif
#if TESSALY_X86_AVX2
    if (__builtin_cpu_supports("avx2")) ways.push_back({"avx2", NarrowUnitsAvx2});
#endif
    return ways;
}

bool IsAscii(const char* data, std::size_t size) {
    const char* p = data;
    const char* const end = data + size;
#if defined(__SSE2__)
    // 64 bytes at a time; their high bits are gathered and looked at every 4 KB and at the end.
    __m128i high = _mm_setzero_si128();
    for (std::size_t blocks = 1; end - p >= 64; p += 64, ++blocks) {
        const auto* v = reinterpret_cast<const __m128i*>(p);
        high = _mm_or_si128(
            high, _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v), _mm_loadu_si128(v + 1)),
                               _mm_or_si128(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3))));
        if (blocks % 64 == 0 && _mm_movemask_epi8(high)) return false;
    }
    if (_mm_movemask_epi8(high)) return false;
#endif
    unsigned char bits = 0;
    for (; p < end; ++p)
        bits |= static_cast<unsigned char>(*p);
    return bits < 0x80;
}

std::size_t UnitWidth(TextEncoding e) {
    switch (e) {
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
            return 2;
        case TextEncoding::Utf32LE:
        case TextEncoding::Utf32BE:
            return 4;
        default:
            return 1;
    }
}

EncodingChoice DetectEncoding(std::string_view head) {
    if (StartsWith(head, {0xFF, 0xFE, 0x00, 0x00})) return {TextEncoding::Utf32LE, 4};
    if (StartsWith(head, {0x00, 0x00, 0xFE, 0xFF})) return {TextEncoding::Utf32BE, 4};
    if (StartsWith(head, {0xEF, 0xBB, 0xBF})) return {TextEncoding::Utf8, 3};
    if (StartsWith(head, {0xFF, 0xFE})) return {TextEncoding::Utf16LE, 2};
    if (StartsWith(head, {0xFE, 0xFF})) return {TextEncoding::Utf16BE, 2};
    return {TextEncoding::EightBit, 0};
}

bool IsUnicodeClass(TextEncoding e) {
    return UnitWidth(e) > 1;
}

std::u16string DecodeWindows1252(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

char32_t ReadCodePoint(std::u16string_view text, std::size_t& i) {
    const char16_t unit = text[i];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    return 0xFFFD;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        AppendUtf8(out, ReadCodePoint(text, i));
    return out;
}

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            out.push_back(b);
            ++p;
            continue;
        }
        Utf8Lead lead;
        if (!ReadLead(b, lead)) {
            out.push_back(0xFFFD);
            ++p;
            continue;
        }
        const std::size_t need = lead.need;
        char32_t cp = lead.cp;
        const unsigned char lo = lead.lo, hi = lead.hi;
        ++p;
        bool ok = true;
        for (std::size_t i = 0; i < need; ++i, ++p) {
            const unsigned char c = p < end ? *p : 0;
            const unsigned char min = i == 0 ? lo : 0x80, max = i == 0 ? hi : 0xBF;
            if (p >= end || c < min || c > max) {
                ok = false;  // the maximal subpart so far becomes one U+FFFD; p stays here
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::u16string DecodeWide(std::string_view bytes, TextEncoding encoding) {
    const std::size_t width = UnitWidth(encoding);
    const bool big = IsBigEndian(encoding);
    std::u16string out;
    out.reserve(bytes.size() / width + 1);
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t whole = bytes.size() / width * width;
    for (std::size_t i = 0; i < whole; i += width) {
        const char32_t v = ReadUnit(b + i, width, big);
        if (width == 2 || v < 0x10000) {
            out.push_back(width == 4 && v >= 0xD800 && v <= 0xDFFF ? char16_t(0xFFFD)
                                                                   : static_cast<char16_t>(v));
        } else if (v <= 0x10FFFF) {
            const char32_t s = v - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (s >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (s & 0x3FF)));
        } else {
            out.push_back(0xFFFD);
        }
    }
    if (whole != bytes.size()) out.push_back(0xFFFD);
    return out;
}

bool AsciiProjector::passesThrough(const char* data, std::size_t size) const {
    if (UnitWidth(encoding_) != 1) return false;
    return !separators_ || (need_ == 0 && IsAscii(data, size));
}

void AsciiProjector::project(const char* data, std::size_t size, std::string& out) {
    const std::size_t width = UnitWidth(encoding_);
    if (width == 1 && !separators_) {
        out.assign(data, size);
        return;
    }
    const bool big = IsBigEndian(encoding_);
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* const end = p + size;
    if (width == 1) out.clear();
    out.reserve(size / width + 1);
    if (encoding_ == TextEncoding::EightBit) {
        while (p < end) {
            p = CopyAscii(p, end, out);
            for (const auto* const stop = std::min(p + 8, end); p < stop; ++p)
                out.push_back(kEightBitSeparators.byte[*p]);
        }
        return;
    }
    if (encoding_ == TextEncoding::Utf8) return projectUtf8(p, end, out);
    // Room for every whole unit and one completed from the carry, written in place over what
    // `out` held: it is made longer (and those bytes filled) only past the longest so far.
    if (out.size() < size / width + 1) out.resize(size / width + 1);
    char* o = out.data();
    while (carrySize_ > 0 && carrySize_ < sizeof carry_ && p < end) {
        carry_[carrySize_++] = *p++;
        if (carrySize_ == width) {
            *o++ = ProjectUnit(ReadUnit(carry_, width, big), separators_);
            carrySize_ = 0;
        }
    }
    const std::size_t units = std::size_t(end - p) / width;
    o = separators_ ? NarrowUnitsSse2<true>(p, units, width, big, o)
                    : BestNarrowing()(p, units, width, big, o);
    p += units * width;
    while (p < end && carrySize_ < sizeof carry_)
        carry_[carrySize_++] = *p++;
    out.resize(std::size_t(o - out.data()));
}

// A character at a time through a sequence, so a sequence cut between two pieces goes on in
// the next; an ill-formed one is one character that is not ASCII (its maximal subpart), and the
// byte that broke it is read anew.
void AsciiProjector::projectUtf8(const unsigned char* p, const unsigned char* end,
                                 std::string& out) {
    while (p < end) {
        if (need_ == 0) {
            p = CopyAscii(p, end, out);
            if (p == end) break;
            const unsigned char b = *p++;
            Utf8Lead lead;
            if (b < 0x80) {
                out.push_back(char(b));
            } else if (!ReadLead(b, lead)) {
                out.push_back(char(0x80));
            } else {
                need_ = lead.need, cp_ = lead.cp, lo_ = lead.lo, hi_ = lead.hi;
            }
            continue;
        }
        const unsigned char b = *p;
        if (b < lo_ || b > hi_) {
            out.push_back(char(0x80));
            need_ = 0;
            continue;
        }
        ++p;
        cp_ = (cp_ << 6) | (b & 0x3F);
        lo_ = 0x80, hi_ = 0xBF;
        if (--need_ == 0) out.push_back(ProjectSeparator(cp_));
    }
}

void AsciiProjector::finish(std::string& out) {
    if (carrySize_ > 0 || need_ > 0) out.push_back(char(0x80));
    carrySize_ = 0;
    need_ = 0;
}

}  // namespace tessaly
