#pragma once
// The application title: the product title shortened at blanks to at most 40 characters. It is
// the title of every message box that names none of its own.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::size_t kApplicationTitleLimit = 40;

// Cuts the title just before its last blank at least once, then again while it is longer than
// the limit. A title without a blank has nothing to cut and is kept whole. Lengths count
// characters, not bytes.
std::string ShortenedApplicationTitle(std::string_view productTitle);

}  // namespace tessaly
