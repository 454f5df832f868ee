#include "number_judge.h"

#include <phonenumbers/phonenumberutil.h>

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

}  // namespace

NumberJudge::NumberJudge(const std::string& country, JudgeAsks asks)
    : region_(country.empty() ? "ZZ" : country), asks_(asks) {
    Library();  // the shared instance exists before any worker asks it
}

const Judgement& NumberJudge::judge(const std::string& number) {
    if (const Judgement* known = cache_.find(number)) return *known;
    return cache_.store(number, ask(number));
}

Judgement NumberJudge::ask(const std::string& number) const {
    const PhoneNumberUtil& library = Library();
    Judgement j;
    PhoneNumber parsed;
    if (library.Parse(number, region_, &parsed) != PhoneNumberUtil::NO_PARSING_ERROR) return j;
    j.parsed = true;
    library.Format(parsed, PhoneNumberUtil::E164, &j.e164);
    if (asks_.validity) j.valid = library.IsValidNumber(parsed);
    if (asks_.country) library.GetRegionCodeForNumber(parsed, &j.country);
    if (asks_.type) j.type = TypeName(library.GetNumberType(parsed));
    return j;
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
