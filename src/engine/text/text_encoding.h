#pragma once
// engine/text: an input file's bytes and how they become text the scanner reads. FileSource
// opens the file (or standard input) and reads its bytes, or MappedWindow (mapped_window.h) maps
// a big file's bytes a window at a time; StartText (text_start.h) reads its first bytes and
// decides the encoding (the byte-order mark, or UTF-8 throughout with the Unicode separators);
// the functions here decode a text to UTF-16 or project it to ASCII bytes (wide units narrowed
// a block at a time, unit_narrowing.h), and TextDecoder (text_decoder.h) decodes a text that
// arrives in pieces cut anywhere.
//
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

// True when every byte is below 0x80.
bool IsAscii(const char* data, std::size_t size);

// The Unicode class of the mark table: UTF-16 and UTF-32 of either byte order.
bool IsUnicodeClass(TextEncoding encoding);
// Bytes of one code unit: 1 for 8-bit text and UTF-8, 2 for UTF-16, 4 for UTF-32.
std::size_t UnitWidth(TextEncoding encoding);

// A UTF-8 lead byte: how many continuation bytes follow, the bits it gives the code point, and
// the allowed range of the first continuation byte (the others are 0x80 to 0xBF).
struct Utf8Lead {
    std::size_t need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
};

// False for a byte that begins no sequence of two or more bytes (ASCII, a continuation byte,
// C0, C1, F5 to FF).
inline bool ReadLead(unsigned char b, Utf8Lead& lead) {
    lead = Utf8Lead{};
    if (b >= 0xC2 && b <= 0xDF) {
        lead.need = 1, lead.cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        lead.need = 2, lead.cp = b & 0x0F;
        if (b == 0xE0) lead.lo = 0xA0;  // no overlong forms
        if (b == 0xED) lead.hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        lead.need = 3, lead.cp = b & 0x07;
        if (b == 0xF0) lead.lo = 0x90;
        if (b == 0xF4) lead.hi = 0x8F;  // nothing above U+10FFFF
    } else {
        return false;
    }
    return true;
}

// 8-bit bytes decoded in the platform's 8-bit code page, Windows-1252.
std::u16string DecodeWindows1252(std::string_view bytes);
// UTF-8 decoded; every ill-formed sequence becomes U+FFFD (its maximal subpart), so an ASCII
// byte is never swallowed by a broken sequence before it.
std::u16string DecodeUtf8(std::string_view bytes);
// The character at text[i]: a surrogate pair is read as one (and `i` moved onto its second
// unit); a lone surrogate has no character and reads as U+FFFD.
char32_t ReadCodePoint(std::u16string_view text, std::size_t& i);
// One character appended in UTF-8.
void AppendUtf8(std::string& out, char32_t c);
// UTF-16 text encoded as UTF-8 (lone surrogates as U+FFFD), as settings and JSON keep text.
std::string EncodeUtf8(std::u16string_view text);
// UTF-16 or UTF-32 of the given byte order; a trailing incomplete unit and code points that
// UTF-16 cannot hold become U+FFFD. Lone surrogates pass through as the code units they are.
std::u16string DecodeWide(std::string_view bytes, TextEncoding encoding);

// Streams the bytes of a file's text (after its mark) as ASCII-projected bytes: characters
// below 0x80 as themselves, every other character as some byte from 0x80 up. With `separators`,
// the characters of separator_map.h count as the ASCII characters they are read as, UTF-8 is
// decoded (an ill-formed sequence is one non-ASCII character) and 8-bit text is Windows-1252.
class AsciiProjector {
  public:
    explicit AsciiProjector(TextEncoding encoding, bool separators = false)
        : encoding_(encoding), separators_(separators) {}
    TextEncoding encoding() const { return encoding_; }
    // True when these bytes, next, are their own projection: always for 8-bit and UTF-8 text
    // without the separators; with them, when the bytes are ASCII and no sequence is cut.
    bool passesThrough(const char* data, std::size_t size) const;
    // Replaces `out` with the projection of these bytes, next; its room is reused as it is.
    void project(const char* data, std::size_t size, std::string& out);
    // End of the text: an incomplete last unit is one non-number character (appended to `out`).
    void finish(std::string& out);

  private:
    void projectUtf8(const unsigned char* p, const unsigned char* end, std::string& out);

    TextEncoding encoding_;
    bool separators_;
    unsigned char carry_[4] = {};  // a wide unit cut between pieces
    std::size_t carrySize_ = 0;
    // A UTF-8 sequence cut between pieces: continuation bytes still to come, the code point so
    // far, the range of the next byte.
    std::size_t need_ = 0;
    char32_t cp_ = 0;
    unsigned char lo_ = 0x80, hi_ = 0xBF;
};

}  // namespace tessaly
