#include "number_judge.h"

#include <phonenumbers/phonenumberutil.h>

#include <charconv>
#include <set>

namespace tessaly::numbers {

namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberUtil;

const PhoneNumberUtil& Library() {
    return *PhoneNumberUtil::GetInstance();
}

const char* TypeName(PhoneNumberUtil::PhoneNumberType type) {
    switch (type) {
        case PhoneNumberUtil::FIXED_LINE:
            return "fixed_line";
        case PhoneNumberUtil::MOBILE:
            return "mobile";
        case PhoneNumberUtil::FIXED_LINE_OR_MOBILE:
            return "fixed_line_or_mobile";
        case PhoneNumberUtil::TOLL_FREE:
            return "toll_free";
        case PhoneNumberUtil::PREMIUM_RATE:
            return "premium_rate";
        case PhoneNumberUtil::SHARED_COST:
            return "shared_cost";
        case PhoneNumberUtil::VOIP:
            return "voip";
        case PhoneNumberUtil::PERSONAL_NUMBER:
            return "personal_number";
        case PhoneNumberUtil::PAGER:
            return "pager";
        case PhoneNumberUtil::UAN:
            return "uan";
        case PhoneNumberUtil::VOICEMAIL:
            return "voicemail";
        default:
            return "unknown";
    }
}

// The library's number for what the plans read, leading zeros of the national number kept as
// the library keeps them: a flag, and their count when there are more than one.
PhoneNumber FromPlan(const PlanNumber& read) {
    PhoneNumber number;
    number.set_country_code(read.countryCode);
    std::uint64_t value = 0;
    std::from_chars(read.national.data(), read.national.data() + read.national.size(), value);
    number.set_national_number(value);
    if (read.national.size() > 1 && read.national[0] == '0') {
        number.set_italian_leading_zero(true);
        std::size_t zeros = 1;
        while (zeros < read.national.size() - 1 && read.national[zeros] == '0')
            ++zeros;
        if (zeros != 1) number.set_number_of_leading_zeros(int(zeros));
    }
    return number;
}

}  // namespace

NumberJudge::NumberJudge(const std::string& country, JudgeAsks asks)
    : region_(country.empty() ? "ZZ" : country), asks_(asks), reader_(country) {
    Library();  // the shared instance exists before any worker asks it
}

const Judgement& NumberJudge::judge(bool plus, std::string_view digits) {
    if (last_ && plus == lastPlus_ && digits == lastDigits_) return *last_;
    lastPlus_ = plus;
    lastDigits_ = digits;
    last_ = &fromCacheOrLibrary(plus, digits);
    return *last_;
}

const Judgement& NumberJudge::fromCacheOrLibrary(bool plus, std::string_view digits) {
    const std::optional<PlanNumber> read = reader_.read(plus, digits);
    // A number read from the plans is known by its calling code and national number, so its
    // spellings share one entry; the others by what was written ("=" keeps the two apart).
    key_.clear();
    if (read) {
        key_ += std::to_string(read->countryCode);
        key_ += ':';
        key_ += read->national;
    } else {
        key_ += '=';
        if (plus) key_ += '+';
        key_ += digits;
    }
    if (const Judgement* known = cache_.find(key_)) return *known;

    const PhoneNumberUtil& library = Library();
    Judgement j;
    PhoneNumber number;
    PlanNumber seen;
    if (read) {
        number = FromPlan(*read);
        seen = *read;
    } else {
        if (library.Parse(key_.substr(1), region_, &number) != PhoneNumberUtil::NO_PARSING_ERROR)
            return cache_.store(key_, j);
        seen.countryCode = number.country_code();
        library.GetNationalSignificantNumber(number, &seen.national);
    }
    j.parsed = true;
    library.Format(number, PhoneNumberUtil::E164, &j.e164);
    // A number no plan of its calling code admits is neither valid nor of any type: the
    // library would search every plan of the code to say so.
    const bool possible = (asks_.validity || asks_.type) && reader_.mayBeValid(seen);
    if (asks_.validity) j.valid = possible && library.IsValidNumber(number);
    if (asks_.country) library.GetRegionCodeForNumber(number, &j.country);
    if (asks_.type) j.type = possible ? TypeName(library.GetNumberType(number)) : "unknown";
    return cache_.store(key_, std::move(j));
}

bool IsKnownCountry(std::string_view country) {
    std::set<std::string> regions;
    Library().GetSupportedRegions(&regions);
    return regions.contains(std::string(country));
}

std::vector<std::string> KnownCountries() {
    std::set<std::string> regions;
    Library().GetSupportedRegions(&regions);
    return {regions.begin(), regions.end()};
}

}  // namespace tessaly::numbers
