#pragma once
// QtSettingsStore: the settings kept in a per-user INI file, <config>/Varnholt.ini, section
// [Tessaly]. Every value is written as text and flushed to disk at once, so nothing depends on
// the program ending normally.

#include <QSettings>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace tessaly {

class QtSettingsStore : public SettingsStore {
  public:
    // The user's own settings file.
    QtSettingsStore();
    // An INI file at `filePath`, with the same section.
    explicit QtSettingsStore(const QString& filePath);

    std::optional<std::string> read(std::string_view key) override;
    void write(std::string_view key, std::string_view value) override;

  private:
    QSettings settings_;
};

}  // namespace tessaly
