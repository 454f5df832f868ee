#pragma once
// JudgedCache: the judgements of numbers already read, so that a number met again (a letterhead
// on every page, a list with repeats) costs a look-up instead of the library's parse and checks.
// Bounded: at most kJudgedCacheBound entries, kept as two generations; when the newer one is
// full the older one is dropped, so numbers in use stay while the memory stays fixed.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tessaly::numbers {

// What the library said of one number as read.
struct Judgement {
    bool parsed = false;
    bool valid = false;   // asked only when validity counts
    std::string e164;     // "+" and digits, when parsed
    std::string country;  // the number's region, when asked for
    std::string type;     // mobile, fixed_line, ..., when asked for
};

// Entries of one cache (one per worker): with keys of at most about 30 characters and short
// values, an entry takes some 200 bytes, so a cache stays near 1.6 MB.
inline constexpr std::size_t kJudgedCacheBound = 8192;

class JudgedCache {
  public:
    explicit JudgedCache(std::size_t bound = kJudgedCacheBound);

    // The judgement stored for `key`, null when there is none.
    const Judgement* find(const std::string& key);
    const Judgement& store(const std::string& key, Judgement judgement);
    std::size_t size() const { return newer_.size() + older_.size(); }

  private:
    std::size_t generation_;  // entries of one generation
    std::unordered_map<std::string, Judgement> newer_;
    std::unordered_map<std::string, Judgement> older_;
};

}  // namespace tessaly::numbers
