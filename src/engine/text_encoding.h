#pragma once
// The encoding of an input file, told by its first bytes (the byte-order mark), and the two ways
// its bytes become text: decoding to UTF-16 (for reading lines) and projecting to ASCII bytes
// (for streaming the scanner, where only ASCII characters can matter).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

enum class TextEncoding { EightBit, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

struct EncodingChoice {
    TextEncoding encoding = TextEncoding::EightBit;
    std::size_t markLength = 0;  // bytes of the byte-order mark, skipped before the text
};

// `head` holds the file's first bytes: all of them when the file is shorter than four bytes,
// otherwise at least four.
EncodingChoice DetectEncoding(std::string_view head);

// The Unicode class of the mark table: UTF-16 and UTF-32 of either byte order.
bool IsUnicodeClass(TextEncoding encoding);
// Bytes of one code unit: 1 for 8-bit text and UTF-8, 2 for UTF-16, 4 for UTF-32.
std::size_t UnitWidth(TextEncoding encoding);

// 8-bit bytes decoded in the platform's 8-bit code page, Windows-1252.
std::u16string DecodeWindows1252(std::string_view bytes);
// UTF-8 decoded; every ill-formed sequence becomes U+FFFD (its maximal subpart), so an ASCII
// byte is never swallowed by a broken sequence before it.
std::u16string DecodeUtf8(std::string_view bytes);
// UTF-16 or UTF-32 of the given byte order; a trailing incomplete unit and code points that
// UTF-16 cannot hold become U+FFFD. Lone surrogates pass through as the code units they are.
std::u16string DecodeWide(std::string_view bytes, TextEncoding encoding);

// Streams the bytes of a file's text (after its mark) as ASCII-projected bytes: characters
// below 0x80 as themselves, every other character as some byte from 0x80 up.
class AsciiProjector {
  public:
    explicit AsciiProjector(TextEncoding encoding) : encoding_(encoding) {}
    TextEncoding encoding() const { return encoding_; }
    // True when the encoding's bytes already are their own projection (8-bit, UTF-8).
    bool isIdentity() const;
    void project(const char* data, std::size_t size, std::string& out);
    // End of the text: an incomplete last unit is one non-number character.
    void finish(std::string& out);

  private:
    TextEncoding encoding_;
    unsigned char carry_[4] = {};
    std::size_t carrySize_ = 0;
};

}  // namespace tessaly
