#include "plan_reader.h"

#include <phonenumbers/phonemetadata.pb.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace tessaly::numbers {

namespace {

// The library reads no national number shorter or longer than these.
constexpr std::size_t kShortestNational = 2;
constexpr std::size_t kLongestNational = 17;

bool Rewrites(const PhoneMetadata& plan) {
    return !plan.national_prefix_transform_rule().empty();
}

// Whether `matcher` (null: a pattern that matches nothing) matches all of its text.
bool MatchesWhole(icu::RegexMatcher* matcher) {
    UErrorCode status = U_ZERO_ERROR;
    return matcher && matcher->matches(status) && U_SUCCESS(status);
}

}  // namespace

struct PlanReader::Patterns {
    // Keyed by the pattern's place in the shared plans, which never move.
    std::unordered_map<const std::string*, std::unique_ptr<icu::RegexMatcher>> ofPlans;
    // Per calling code and length, the national patterns of every plan of the code that has
    // numbers of that length, as one alternation.
    std::unordered_map<int, std::unique_ptr<icu::RegexMatcher>> ofCodes;
    icu::UnicodeString text;  // what the matchers are reset to

    static std::unique_ptr<icu::RegexMatcher> Compile(const std::string& pattern);
    // `matcher` reset to `digits`; null stays null.
    icu::RegexMatcher* on(icu::RegexMatcher* matcher, std::string_view digits);
    icu::RegexMatcher* on(const std::string& pattern, std::string_view digits);
};

std::unique_ptr<icu::RegexMatcher> PlanReader::Patterns::Compile(const std::string& pattern) {
    // Compiled as the library compiles its patterns (ICU, no flags); a pattern that does not
    // compile matches nothing, there as here.
    UErrorCode status = U_ZERO_ERROR;
    auto matcher =
        std::make_unique<icu::RegexMatcher>(icu::UnicodeString::fromUTF8(pattern), 0, status);
    if (U_FAILURE(status)) matcher.reset();
    return matcher;
}

icu::RegexMatcher* PlanReader::Patterns::on(icu::RegexMatcher* matcher, std::string_view digits) {
    if (!matcher) return nullptr;
    text = icu::UnicodeString(digits.data(), int32_t(digits.size()), US_INV);
    matcher->reset(text);
    return matcher;
}

icu::RegexMatcher* PlanReader::Patterns::on(const std::string& pattern, std::string_view digits) {
    auto it = ofPlans.find(&pattern);
    if (it == ofPlans.end()) it = ofPlans.emplace(&pattern, Compile(pattern)).first;
    return on(it->second.get(), digits);
}

PlanReader::PlanReader(std::string_view country, const NumberingPlans& plans)
    : plans_(plans), home_(plans.region(country)), patterns_(std::make_unique<Patterns>()) {}

PlanReader::~PlanReader() = default;

bool PlanReader::matchesAll(const std::string& pattern, std::string_view text) {
    return MatchesWhole(patterns_->on(pattern, text));
}

std::size_t PlanReader::prefixEnd(const std::string& pattern, std::string_view text) {
    icu::RegexMatcher* matcher = patterns_->on(pattern, text);
    UErrorCode status = U_ZERO_ERROR;
    if (!matcher || !matcher->lookingAt(status) || U_FAILURE(status)) return std::string::npos;
    const int32_t end = matcher->end(status);
    return U_SUCCESS(status) ? std::size_t(end) : std::string::npos;
}

bool PlanReader::matchesNational(const PhoneMetadata& plan, std::string_view national) {
    const std::string& pattern = plan.general_desc().national_number_pattern();
    return !pattern.empty() && matchesAll(pattern, national);
}

PlanReader::Length PlanReader::lengthOf(const PhoneMetadata& plan, std::size_t length) const {
    const auto& possible = plan.general_desc().possible_length();
    const auto& local = plan.general_desc().possible_length_local_only();
    const int n = int(length);
    if (possible.empty() || possible[0] == -1) return Length::kInvalid;
    if (std::find(local.begin(), local.end(), n) != local.end()) return Length::kLocalOnly;
    if (possible[0] == n) return Length::kPossible;
    if (possible[0] > n) return Length::kTooShort;
    if (*(possible.end() - 1) < n) return Length::kTooLong;
    return std::find(possible.begin() + 1, possible.end(), n) != possible.end() ? Length::kPossible
                                                                                : Length::kInvalid;
}

void PlanReader::stripNationalPrefix(const PhoneMetadata& plan, std::string& national) {
    const std::string& prefix = plan.national_prefix_for_parsing();
    if (national.empty() || prefix.empty()) return;
    const bool viable = matchesNational(plan, national);
    const std::size_t end = prefixEnd(prefix, national);
    if (end == std::string::npos) return;
    std::string rest = national.substr(end);
    // A national number that matched its plan keeps what looked like a prefix unless the rest
    // matches too.
    if (viable && !matchesNational(plan, rest)) return;
    national = std::move(rest);
}

std::optional<PlanNumber> PlanReader::finish(const PhoneMetadata& plan, int code,
                                             std::string national) {
    if (Rewrites(plan) || national.size() < kShortestNational) return std::nullopt;
    std::string stripped = national;
    stripNationalPrefix(plan, stripped);
    // The prefix goes only when what is left still has a length a number of the plan can have.
    const Length left = lengthOf(plan, stripped.size());
    if (left != Length::kTooShort && left != Length::kLocalOnly && left != Length::kInvalid)
        national = std::move(stripped);
    if (national.size() < kShortestNational || national.size() > kLongestNational)
        return std::nullopt;
    return PlanNumber{code, std::move(national)};
}

std::optional<PlanNumber> PlanReader::read(bool plus, std::string_view digits) {
    if (digits.size() <= kShortestNational) return std::nullopt;
    if (plus) {
        // The calling code: the first one to three digits that name one (codes never start
        // with 0 and none is the start of another).
        if (digits[0] == '0') return std::nullopt;
        for (std::size_t size = 1; size <= 3; ++size) {
            int code = 0;
            std::from_chars(digits.data(), digits.data() + size, code);
            if (const PhoneMetadata* plan = plans_.main(code))
                return finish(*plan, code, std::string(digits.substr(size)));
        }
        return std::nullopt;
    }
    if (!home_ || Rewrites(*home_)) return std::nullopt;
    // An international prefix first (011 1 212 ..., 00 44 ...) is rarer and has more ways;
    // the library reads it.
    const std::string& idd = home_->international_prefix();
    if (idd.empty() || prefixEnd(idd, digits) != std::string::npos) return std::nullopt;
    const int code = home_->country_code();
    const PhoneMetadata* plan = home_;
    std::string national(digits);
    const std::string codeDigits = std::to_string(code);
    if (national.starts_with(codeDigits)) {
        // The country's calling code written without "+" (1 212 555 0147): taken as one when
        // the number matches its plan only without it, or is too long with it.
        std::string rest = national.substr(codeDigits.size());
        stripNationalPrefix(*home_, rest);
        if ((!matchesNational(*home_, national) && matchesNational(*home_, rest)) ||
            lengthOf(*home_, national.size()) == Length::kTooLong) {
            national = std::move(rest);
            plan = plans_.main(code);
        }
    }
    return plan ? finish(*plan, code, std::move(national)) : std::nullopt;
}

bool PlanReader::mayBeValid(const PlanNumber& number) {
    const std::size_t length = number.national.size();
    if (length > kLongestNational) return false;
    const int key = number.countryCode * 32 + int(length);
    auto it = patterns_->ofCodes.find(key);
    if (it == patterns_->ofCodes.end()) {
        // A plan admits the number when the number has one of its lengths (a plan without
        // lengths has any) and matches its pattern; the alternation matches all of the number
        // exactly when one of its branches does.
        std::string any;
        for (const PhoneMetadata* plan : plans_.sharing(number.countryCode)) {
            const auto& lengths = plan->general_desc().possible_length();
            const std::string& pattern = plan->general_desc().national_number_pattern();
            if (pattern.empty() || (!lengths.empty() && std::find(lengths.begin(), lengths.end(),
                                                                  int(length)) == lengths.end()))
                continue;
            any += any.empty() ? "(?:" : "|(?:";
            any += pattern;
            any += ')';
        }
        it = patterns_->ofCodes.emplace(key, any.empty() ? nullptr : Patterns::Compile(any)).first;
    }
    return MatchesWhole(patterns_->on(it->second.get(), number.national));
}

}  // namespace tessaly::numbers
