#pragma once
// How a result's number may stand written on its line, so that it can be found there again
// (source_line.h). A result is either the digits its run was read with, or, written as +E.164,
// a calling code and a national number, which the line may spell in full ("+1 212 555 0147",
// "1-212-555-0147"), after an international prefix ("011 1 212 ...", "00 44 20 ..."), with
// the national trunk prefix after the code ("+44 (0)20 ..."), or nationally with or without
// that prefix ("(212) 555-0147", "020 7946 0958").

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

// How many of the leading digits of an international number (the digits after "+") are its
// calling code. Calling codes are prefix-free: 1 and 7 are the one-digit codes, a short list
// the two-digit ones, all others have three digits. 0 for a number that cannot begin with one.
std::size_t CallingCodeDigits(std::string_view international);

// Whether `prefix` is written before national numbers of calling code `code` (digits): "0"
// almost everywhere, "8" in the former Soviet plans ("8 0" in Belarus), "06" in Hungary, "01"
// in Mexico.
bool IsTrunkPrefix(std::string_view code, std::string_view prefix);

class NumberSpellings {
  public:
    enum class Match {
        None,
        Exact,  // the digits the number is written with in the result
        Other   // another spelling of the same +E.164 number
    };

    // `number`: a result as the list shows it, its digits or "+" and its +E.164 digits.
    explicit NumberSpellings(std::string_view number);

    // Whether `digits` (of a run, or of a part of one) spell the number.
    Match match(std::string_view digits) const;
    // The most digits a spelling of the number has.
    std::size_t longest() const { return longest_; }
    // Whether the number is +E.164, so a "+" written before a spelling of it belongs to it.
    bool international() const { return international_; }

  private:
    std::string digits_;  // without "+"
    bool international_ = false;
    std::size_t codeDigits_ = 0;  // the calling code's share of digits_; 0: not international
    std::size_t longest_ = 0;
};

}  // namespace tessaly
