#pragma once
// NumberJudge: asks the number library (libphonenumber's PhoneNumberUtil) about one number as
// read: parsed for the country given, its E.164 value, and only what is asked for of its
// validity, region and type, each judgement kept in a bounded cache.
//
// Most numbers are read straight from the numbering plans (plan_reader.h) instead of by the
// library's general parse, and numbers the plans rule out are judged invalid without asking
// it; the cache is keyed on what was read (calling code and national number), so every
// spelling of one number costs one judgement.
//
// Threads: the library's PhoneNumberUtil is one shared instance (a singleton created under
// pthread_once); its metadata is read-only once built and its cache of regular expressions is
// guarded by its own lock, so its const calls may run on several threads. What is not shared
// is ours: every worker has its own NumberJudge, with its own cache and compiled patterns, and
// the shared instance is created by the first NumberJudge, before any worker starts; the plans
// (numbering_plans.h) are built once, as a static, and only read after that.

#include <string>
#include <string_view>
#include <vector>

#include "judged_cache.h"
#include "plan_reader.h"

namespace tessaly::numbers {

struct JudgeAsks {
    bool validity = false;
    bool country = false;
    bool type = false;
};

class NumberJudge {
  public:
    // `country`: ISO 3166 code of numbers written without an international prefix, empty for
    // none.
    NumberJudge(const std::string& country, JudgeAsks asks);

    // The number written as `digits` (ASCII), after a "+" when `plus`.
    const Judgement& judge(bool plus, std::string_view digits);
    std::size_t cached() const { return cache_.size(); }

  private:
    const Judgement& fromCacheOrLibrary(bool plus, std::string_view digits);

    std::string region_;
    JudgeAsks asks_;
    PlanReader reader_;
    JudgedCache cache_;
    std::string key_;
    // The last number judged and its judgement, which stays in place until the next call: a
    // number is judged again right after its validity was, for what is written.
    bool lastPlus_ = false;
    std::string lastDigits_;
    const Judgement* last_ = nullptr;
};

// Whether the library knows `country` (ISO 3166 code, upper case) as a region.
bool IsKnownCountry(std::string_view country);
// Every country the library knows, by code, in order.
std::vector<std::string> KnownCountries();

}  // namespace tessaly::numbers
