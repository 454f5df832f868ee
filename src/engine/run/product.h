#pragma once
// The product's fixed names and addresses, kept in one place.

#include <string_view>

namespace tessaly {

inline constexpr std::string_view kProductTitle = "Tessaly";
// The version and the support address come from the build (TESSALY_SUPPORT_ADDRESS is a CMake
// cache variable), so whoever builds the package names the real address.
inline constexpr std::string_view kProductVersion = TESSALY_VERSION;

inline constexpr std::string_view kSupportAddress = TESSALY_SUPPORT_ADDRESS;
// The product's pages ship with the program, among its other data files, and open from there.
inline constexpr std::string_view kHomePageFile = "home.html";
inline constexpr std::string_view kFormattingPageFile = "format-numbers.html";
// The application's reverse-DNS identifier: desktop entry, metainfo and icon are named after it.
inline constexpr std::string_view kApplicationId = TESSALY_APPLICATION_ID;

}  // namespace tessaly
