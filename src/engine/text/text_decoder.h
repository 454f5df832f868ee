#pragma once
// TextDecoder: a file's bytes (after its mark) decoded to UTF-16 as they arrive, in pieces cut
// anywhere. A UTF-8 sequence or a wider unit cut in two is held back until the rest arrives, so
// the text is exactly what decoding the whole file at once gives (text_encoding.h).

#include <cstddef>
#include <string>
#include <string_view>

#include "text_encoding.h"

namespace tessaly {

// Bytes at the end of `bytes` that begin a UTF-8 sequence not yet complete (0 to 3).
std::size_t IncompleteUtf8Tail(std::string_view bytes);

// True when `bytes` is well-formed UTF-8 throughout; `sawNonAscii`, when given, is set if a byte
// of 0x80 or more was met on the way.
bool IsWellFormedUtf8(std::string_view bytes, bool* sawNonAscii = nullptr);

// Tells, piece by piece, whether a whole text is well-formed UTF-8.
class Utf8Check {
  public:
    void feed(std::string_view bytes);
    bool wellFormed() const { return ok_ && carry_.empty(); }
    // Well-formed and all ASCII: no byte of 0x80 or more.
    bool asciiThroughout() const { return wellFormed() && ascii_; }

  private:
    std::string carry_;
    bool ok_ = true;
    bool ascii_ = true;
};

class TextDecoder {
  public:
    explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}
    TextEncoding encoding() const { return encoding_; }
    // Appends the text of the bytes completed so far to `out`.
    void decode(std::string_view bytes, std::u16string& out);
    // End of the text: an incomplete last sequence or unit becomes U+FFFD.
    void finish(std::u16string& out);

  private:
    std::u16string decodeWhole(std::string_view bytes) const;

    TextEncoding encoding_;
    std::string carry_;
};

}  // namespace tessaly
