#pragma once
// PlanReader: reads a number written as digits (and perhaps a "+") the way the number
// library's Parse reads it, straight from the numbering plans (numbering_plans.h), for the
// cases that make up nearly all candidates: a national number of the country given, with or
// without its national prefix or its calling code, and a number after a "+". What it cannot
// decide the same way (an international prefix such as 011 or 00 written first, a plan that
// rewrites its national prefix) it leaves to the library: read() returns nothing then.
//
// It also tells, from the plans alone, numbers that cannot be valid: a national number that
// has none of the lengths, or does not match the pattern, of any plan of its calling code is
// never valid for the library either, and costs it a long search through those plans.
//
// Threads: one reader per worker (its compiled patterns keep match state); the plans it reads
// are shared and read-only.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "numbering_plans.h"

namespace tessaly::numbers {

// A number as read: its calling code and its national significant number, leading zeros
// included (as the library writes it).
struct PlanNumber {
    int countryCode = 0;
    std::string national;

    friend bool operator==(const PlanNumber&, const PlanNumber&) = default;
};

class PlanReader {
  public:
    // `country`: the region code numbers without an international prefix belong to, empty or
    // unknown for none.
    explicit PlanReader(std::string_view country,
                        const NumberingPlans& plans = NumberingPlans::Library());
    ~PlanReader();

    // `digits` read as the library would, written after a "+" when `plus`; nothing when it
    // is left to the library (which may then read it, or refuse it).
    std::optional<PlanNumber> read(bool plus, std::string_view digits);
    // False when no plan of the number's calling code admits its national number: the number
    // is then not valid. True says nothing.
    bool mayBeValid(const PlanNumber& number);

  private:
    enum class Length { kPossible, kLocalOnly, kTooShort, kTooLong, kInvalid };
    // Whether `pattern` matches all of `text`, or where a match at its start ends (npos: none).
    bool matchesAll(const std::string& pattern, std::string_view text);
    std::size_t prefixEnd(const std::string& pattern, std::string_view text);
    bool matchesNational(const PhoneMetadata& plan, std::string_view national);
    Length lengthOf(const PhoneMetadata& plan, std::size_t length) const;
    void stripNationalPrefix(const PhoneMetadata& plan, std::string& national);
    std::optional<PlanNumber> finish(const PhoneMetadata& plan, int code, std::string national);

    const NumberingPlans& plans_;
    const PhoneMetadata* home_;  // the country's plan, null for none
    struct Patterns;             // the plans' patterns compiled so far, each with its match state
    std::unique_ptr<Patterns> patterns_;
};

}  // namespace tessaly::numbers
