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

// How many characters of its line a number carries on either side (ScanRules::numberContext).
inline constexpr std::size_t kContextUnits = 16;

struct WrittenNumber {
    std::string value;  // "+" when one was kept, then the ASCII digits
    std::size_t line = 0;
    std::u16string text;  // from the first to the last character of the number, when asked for
    // Up to kContextUnits characters of the line just before `text` (a "+" not kept included)
    // and just after it, when asked for.
    std::u16string before;
    std::u16string after;
    // Where in a document it stands, when the rules ask for places (WrittenNumberStream::setPlace).
    std::string where;
    // Members a later stage adds to the number's jsonl object, each written `,"key":value`.
    std::string jsonMembers;
};

class WrittenNumberStream {
  public:
    explicit WrittenNumberStream(const ScanRules& rules);

    void feed(std::u16string_view text, std::vector<WrittenNumber>& out);
    // End of the text: a number that ends it is closed like any other.
    void finish(std::vector<WrittenNumber>& out);
    // The numbers that end from now on stand at `where` in their document.
    void setPlace(std::string_view where) { place_ = where; }

  private:
    bool skippable(char16_t unit) const;
    void take(char16_t unit, char c);
    void close(std::vector<WrittenNumber>& out);
    // The context of numbers: what stands before the unit at `at` of the piece being fed, and
    // the characters after closed numbers, which may arrive with the next piece: a number
    // waits in `waiting_` until its `after` is complete, and numbers leave in their order.
    std::u16string contextBefore(const char16_t* at) const;
    void extendAfter(std::u16string_view text);
    void release(std::vector<WrittenNumber>& out, bool all);

    ScanRules rules_;
    std::string place_;
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

    // numberContext only: the piece being fed, the last kContextUnits units of the pieces
    // before it (as far back as the last line break), the open number's `before`, and the
    // numbers whose `after` is not yet complete (`afterDone_`: ended by a line break).
    std::u16string_view piece_;
    const char16_t* at_ = nullptr;
    std::u16string history_;
    std::u16string before_;
    std::vector<WrittenNumber> waiting_;
    std::vector<bool> afterDone_;
};

}  // namespace tessaly
