#pragma once
// The product's fixed names and addresses, kept in one place.

#include <string_view>

namespace tessaly {

inline constexpr std::string_view kProductTitle = "Tessaly";
inline constexpr std::string_view kProductVersion = "0.1.0";
// Settings are kept under this application name, in the section named after the product.
inline constexpr std::string_view kSettingsApplication = "Varnholt";
inline constexpr std::string_view kSettingsSection = "Tessaly";

inline constexpr std::string_view kSupportAddress = "support@tessaly.example";
inline constexpr std::string_view kHomePageAddress = "https://tessaly.example/";
inline constexpr std::string_view kFormattingPageAddress = "https://tessaly.example/format-numbers";

}  // namespace tessaly
