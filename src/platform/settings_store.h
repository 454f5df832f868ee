#pragma once
// SettingsStore: the per-user store of named text values. All of the program's values live
// under one application name and one section, so only the key is named here. Values are text
// (UTF-8); nothing is ever deleted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Settings are kept under this application name, in the section named after the product.
inline constexpr std::string_view kSettingsApplication = "Varnholt";
inline constexpr std::string_view kSettingsSection = "Tessaly";

// A settings file beyond this size is not the program's: reading it would hold up the start for
// as long as it takes to parse, and writing one value rewrites the whole file.
inline constexpr std::uint64_t kMaxSettingsFileSize = 1 << 20;

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text when the key exists (also when it is empty), otherwise nothing.
    virtual std::optional<std::string> read(std::string_view key) = 0;
    virtual void write(std::string_view key, std::string_view value) = 0;

    // The settings file's path when it was too large to load (kMaxSettingsFileSize): this
    // session starts from the defaults, keeps every change in memory and leaves the file as it is.
    virtual std::optional<std::string> oversizedFile() const { return std::nullopt; }

    // The stored text, or `fallback` when the key is missing.
    std::string readOr(std::string_view key, std::string_view fallback) {
        std::optional<std::string> v = read(key);
        return v ? *v : std::string(fallback);
    }
};

}  // namespace tessaly
