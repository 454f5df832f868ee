#pragma once
// WrittenNumberStream: the scanner's rule applied to decoded text (UTF-16 units arriving in
// pieces), for the readings the byte scanner does not make: a kept "+", the separators of
// separator_map.h, and the text of each number as it stands in the file. Every number also
// carries its 1-based line (LF, CR LF and a lone CR end a line). Without those rules it finds
// exactly the numbers of NumberStream.

#include <cstddef>
#include <string>
#include <vector>

#include "phone_number.h"
#include "scan_rules.h"

namespace tessaly {

struct WrittenNumber {
    std::string value;  // "+" when one was kept, then the ASCII digits
    std::size_t line = 0;
    std::u16string text;  // from the first to the last character of the number, when asked for
};

class WrittenNumberStream {
  public:
    explicit WrittenNumberStream(const ScanRules& rules);

    void feed(std::u16string_view text, std::vector<WrittenNumber>& out);
    // End of the text: a number that ends it is closed like any other.
    void finish(std::vector<WrittenNumber>& out);

  private:
    bool skippable(char16_t unit) const;
    void take(char16_t unit, char c);
    void close(std::vector<WrittenNumber>& out);

    ScanRules rules_;
    std::size_t line_ = 1;
    bool afterCr_ = false;

    // A "+" followed by blanks only, so far: the next number starts with it (keepPlus only).
    bool plusBefore_ = false;
    std::u16string plusText_;

    bool inNumber_ = false;
    bool tooLong_ = false;  // more digits than any number may have: only its end matters
    std::size_t digits_ = 0;
    std::size_t numberLine_ = 0;
    std::string value_;
    std::u16string raw_;  // the number's characters as read, blanks dropped (for the required text)
    std::u16string text_;    // as written, up to the last number character
    std::u16string blanks_;  // blanks after the last number character, as written
};

}  // namespace tessaly
