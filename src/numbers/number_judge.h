#pragma once
// NumberJudge: asks the number library (libphonenumber's PhoneNumberUtil) about one number as
// read: parsed for the country given, its E.164 value, and only what is asked for of its
// validity, region and type, each judgement kept in a bounded cache.
//
// Threads: the library's PhoneNumberUtil is one shared instance (a singleton created under
// pthread_once); its metadata is read-only once built and its cache of regular expressions is
// guarded by its own lock, so its const calls may run on several threads. What is not shared
// is ours: every worker has its own NumberJudge, with its own cache, and the shared instance
// is created by the first NumberJudge, before any worker starts.

#include <string>
#include <string_view>
#include <vector>

#include "judged_cache.h"

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

    // `number`: "+" or not, the digits, and " ext. " and the extension's digits when written.
    const Judgement& judge(const std::string& number);
    std::size_t cached() const { return cache_.size(); }

  private:
    Judgement ask(const std::string& number) const;

    std::string region_;
    JudgeAsks asks_;
    JudgedCache cache_;
};

// Whether the library knows `country` (ISO 3166 code, upper case) as a region.
bool IsKnownCountry(std::string_view country);
// Every country the library knows, by code, in order.
std::vector<std::string> KnownCountries();

}  // namespace tessaly::numbers
