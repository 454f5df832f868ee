#include "number_spellings.h"

#include <algorithm>
#include <array>

namespace tessaly {

namespace {

// The trunk prefixes other than "0", by calling code.
struct OwnPrefix {
    std::string_view code, prefix;
};
constexpr OwnPrefix kOwnPrefixes[] = {{"7", "8"},   {"370", "8"},  {"375", "8"}, {"993", "8"},
                                      {"998", "8"}, {"375", "80"}, {"36", "06"}, {"52", "01"}};

// The international prefixes the plans write ("8~10" as "8 10"), after none (the calling code
// written alone), most used first.
constexpr std::string_view kInternationalPrefixes[] = {"",    "00",  "011", "010", "0011", "001",
                                                       "810", "000", "009", "020", "119",  "0"};

// The most digits written before a +E.164 number's own: an international and a trunk prefix.
constexpr std::size_t kLongestPrefixes = [] {
    std::size_t international = 0, trunk = 1;
    for (const std::string_view prefix : kInternationalPrefixes)
        international = std::max(international, prefix.size());
    for (const OwnPrefix& own : kOwnPrefixes)
        trunk = std::max(trunk, own.prefix.size());
    return international + trunk;
}();

}  // namespace

std::size_t CallingCodeDigits(std::string_view international) {
    if (international.empty() || international[0] < '1' || international[0] > '9') return 0;
    if (international[0] == '1' || international[0] == '7') return 1;
    static constexpr std::array<std::string_view, 44> kTwoDigitCodes = {
        "20", "27", "30", "31", "32", "33", "34", "36", "39", "40", "41", "43", "44", "45", "46",
        "47", "48", "49", "51", "52", "53", "54", "55", "56", "57", "58", "60", "61", "62", "63",
        "64", "65", "66", "81", "82", "84", "86", "90", "91", "92", "93", "94", "95", "98"};
    for (const std::string_view code : kTwoDigitCodes) {
        if (international.starts_with(code)) return 2;
    }
    return 3;
}

bool IsTrunkPrefix(std::string_view code, std::string_view prefix) {
    if (prefix == "0") return true;
    for (const OwnPrefix& own : kOwnPrefixes) {
        if (own.code == code && own.prefix == prefix) return true;
    }
    return false;
}

NumberSpellings::NumberSpellings(std::string_view number)
    : international_(number.starts_with('+')) {
    if (international_) number.remove_prefix(1);
    digits_ = std::string(number);
    if (international_) {
        codeDigits_ = CallingCodeDigits(digits_);
        if (codeDigits_ >= digits_.size()) codeDigits_ = 0;  // no national number after it
    }
    longest_ = digits_.size() + (codeDigits_ ? kLongestPrefixes : 0);
}

NumberSpellings::Match NumberSpellings::match(std::string_view digits) const {
    if (digits == digits_) return Match::Exact;
    if (codeDigits_ == 0) return Match::None;
    const std::string_view code = std::string_view(digits_).substr(0, codeDigits_);
    const std::string_view national = std::string_view(digits_).substr(codeDigits_);
    // Only whole spellings count: digits that merely end like the number (a shorter run, or
    // another number's tail) are no spelling of it.
    if (!digits.ends_with(national)) return Match::None;
    const std::string_view prefix = digits.substr(0, digits.size() - national.size());
    // Before the national number: nothing or its trunk prefix, alone or after the calling code,
    // which an international prefix may precede.
    const auto trunkOrNone = [&](std::string_view before) {
        return before.empty() || IsTrunkPrefix(code, before);
    };
    if (trunkOrNone(prefix)) return Match::Other;
    for (const std::string_view international : kInternationalPrefixes) {
        if (!prefix.starts_with(international)) continue;
        const std::string_view after = prefix.substr(international.size());
        if (after.starts_with(code) && trunkOrNone(after.substr(code.size()))) return Match::Other;
    }
    return Match::None;
}

}  // namespace tessaly
