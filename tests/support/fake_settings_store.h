#pragma once
// An in-memory settings store that records every write in order. Reading a key listed in
// `unreadableKeys` or writing one listed in `unwritableKeys` throws, as a store that cannot be
// reached would; a refused write is neither recorded nor kept.

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/settings_store.h"

namespace tessaly::testing {

class FakeSettingsStore : public SettingsStore {
  public:
    using Write = std::pair<std::string, std::string>;

    std::optional<std::string> read(std::string_view key) override {
        failIfListed(unreadableKeys, key);
        const auto it = values.find(key);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }

    void write(std::string_view key, std::string_view value) override {
        failIfListed(unwritableKeys, key);
        writes.emplace_back(std::string(key), std::string(value));
        values.insert_or_assign(std::string(key), std::string(value));
    }

    std::optional<std::string> oversizedFile() const override { return oversized; }

    std::map<std::string, std::string, std::less<>> values;
    std::optional<std::string> oversized;  // a settings file too large to load
    std::vector<Write> writes;
    std::set<std::string, std::less<>> unreadableKeys;
    std::set<std::string, std::less<>> unwritableKeys;

  private:
    static void failIfListed(const std::set<std::string, std::less<>>& keys, std::string_view key) {
        if (keys.count(key) != 0) throw std::runtime_error("Permission denied");
    }
};

}  // namespace tessaly::testing
