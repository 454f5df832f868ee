#pragma once
// The longest time the window may go without a pass of its event loop while a long command
// works: a fraction of a second. Built with the address sanitizer the same work runs two to
// three times slower (every copy and allocation is checked), so the budget grows alike there.

#include <chrono>

namespace tessaly::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

inline constexpr std::chrono::milliseconds kLongestFreeze{kSanitized ? 750 : 250};

}  // namespace tessaly::testing
