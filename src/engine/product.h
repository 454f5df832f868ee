#pragma once
// The product's fixed names and addresses, kept in one place.

#include <string_view>

namespace tessaly {

inline constexpr std::string_view kProductTitle = "Tessaly";
inline constexpr std::string_view kProductVersion = "0.1.0";

inline constexpr std::string_view kSupportAddress = "support@tessaly.example";
inline constexpr std::string_view kHomePageAddress = "https://tessaly.example/";
inline constexpr std::string_view kFormattingPageAddress = "https://tessaly.example/format-numbers";

}  // namespace tessaly
