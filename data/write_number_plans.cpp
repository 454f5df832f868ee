// Writes the numbering plans the formatting page (format-numbers.html) checks E.164 numbers
// against, from the phone number library's metadata: for each country calling code, the digit
// counts a full national number may have (numbers that are only dialled locally do not count)
// and the trunk prefix dialled before it inside the country, if any.
//
// The page holds the result between its "number plans" marker lines, so it needs nothing from
// outside; the page's test runs this program and fails when the two differ. After an update of
// the library: write_number_plans > plans.js and put plans.js between the markers.
#include <phonenumbers/phonenumber.pb.h>
#include <phonenumbers/phonenumberutil.h>

#include <cstdint>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

// E.164 numbers have 15 digits at most, the calling code's included.
constexpr int kLongestNumber = 15;

// The lengths are found by asking, for each count, whether a number of that many digits is
// possible: the library's possibility test looks at the length only.
std::vector<int> FullNumberLengths(const PhoneNumberUtil& util, int callingCode) {
    const int longest = kLongestNumber - static_cast<int>(std::to_string(callingCode).size());
    std::vector<int> lengths;
    std::uint64_t number = 0;
    for (int length = 1; length <= longest; ++length) {
        number = number * 10 + 2;
        PhoneNumber candidate;
        candidate.set_country_code(callingCode);
        candidate.set_national_number(number);
        if (util.IsPossibleNumberWithReason(candidate) == PhoneNumberUtil::IS_POSSIBLE) {
            lengths.push_back(length);
        }
    }
    return lengths;
}

std::string TrunkPrefix(const PhoneNumberUtil& util, int callingCode) {
    std::string region;
    util.GetRegionCodeForCountryCode(callingCode, &region);
    std::string prefix;
    util.GetNddPrefixForRegion(region, true, &prefix);
    return prefix;
}

}  // namespace

int main() {
    const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
    std::set<int> codes;
    util.GetSupportedCallingCodes(&codes);
    // Seven plans a line keep the page's source readable.
    int onLine = 0;
    std::cout << "  const PLANS = {\n";
    for (int code : codes) {
        const std::vector<int> lengths = FullNumberLengths(util, code);
        if (lengths.empty()) continue;
        std::cout << (onLine == 0 ? "    " : " ") << code << ": [[";
        for (std::size_t i = 0; i < lengths.size(); ++i)
            std::cout << (i ? "," : "") << lengths[i];
        std::cout << "], \"" << TrunkPrefix(util, code) << "\"],";
        if (++onLine == 7) {
            std::cout << "\n";
            onLine = 0;
        }
    }
    if (onLine != 0) std::cout << "\n";
    std::cout << "  };\n";
}
