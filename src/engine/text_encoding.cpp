#include "text_encoding.h"

namespace tessaly {

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

}  // namespace

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
        std::size_t need = 0;
        char32_t cp = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the first continuation byte
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1, cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2, cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;  // no overlong forms
            if (b == 0xED) hi = 0x9F;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3, cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
        } else {
            out.push_back(0xFFFD);
            ++p;
            continue;
        }
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

bool AsciiProjector::isIdentity() const {
    return UnitWidth(encoding_) == 1;
}

void AsciiProjector::project(const char* data, std::size_t size, std::string& out) {
    const std::size_t width = UnitWidth(encoding_);
    if (width == 1) {
        out.append(data, size);
        return;
    }
    const bool big = IsBigEndian(encoding_);
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* const end = p + size;
    auto emit = [&out](char32_t v) { out.push_back(v < 0x80 ? char(v) : char(0x80)); };
    while (carrySize_ > 0 && carrySize_ < sizeof carry_ && p < end) {
        carry_[carrySize_++] = *p++;
        if (carrySize_ == width) {
            emit(ReadUnit(carry_, width, big));
            carrySize_ = 0;
        }
    }
    out.reserve(out.size() + static_cast<std::size_t>(end - p) / width);
    for (; end - p >= static_cast<std::ptrdiff_t>(width); p += width)
        emit(ReadUnit(p, width, big));
    while (p < end && carrySize_ < sizeof carry_)
        carry_[carrySize_++] = *p++;
}

void AsciiProjector::finish(std::string& out) {
    if (carrySize_ > 0) out.push_back(char(0x80));
    carrySize_ = 0;
}

}  // namespace tessaly
