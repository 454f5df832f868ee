#pragma once
// NumberRules: what the number stage is asked to do, as one value built from the extractor's
// command line or the window's options.

#include <cstdint>
#include <string>

namespace tessaly::numbers {

struct NumberRules {
    // The country (ISO 3166 code, upper case) of numbers written without an international
    // prefix; empty: none, and only numbers written with "+" can be read.
    std::string country;
    bool validOnly = false;    // keep only valid numbers of their country's numbering plan
    bool e164 = false;         // write the numbers as +E.164
    bool splitBlanks = false;  // cut a run of a digit count not accepted at its blanks
    // Describe each number (its E.164 value, country, type and extension) for the jsonl line.
    bool describe = false;
    // The digit counts a number may have: bit n for n digits, as the scan's.
    std::uint32_t lengths = 0;

    bool accepts(std::size_t digits) const { return digits < 32 && (lengths >> digits & 1u); }
    // Whether the library is asked at all.
    bool readsNumbers() const { return validOnly || e164 || describe; }
    bool active() const { return !country.empty() || validOnly || e164 || splitBlanks; }

    friend bool operator==(const NumberRules&, const NumberRules&) = default;
};

}  // namespace tessaly::numbers
