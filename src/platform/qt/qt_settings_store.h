#pragma once
// QtSettingsStore: the settings kept in a per-user INI file, <config>/Varnholt.ini, section
// [Tessaly]. Every value is written as text and flushed to disk at once, so nothing depends on
// the program ending normally. The file follows the program's one rule for writing a path
// (file_replacement.h): a link is followed; a file that may not be written (read-only, for
// root too) is read but left as it is; a location that is no file (a named pipe, a device, a
// folder) is neither read nor written, since reading a pipe would wait forever; nor is a file
// larger than kMaxSettingsFileSize. Values that cannot be stored hold for the rest of the
// session.

#include <QSettings>
#include <QString>
#include <map>
#include <memory>
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
    std::optional<std::string> oversizedFile() const override { return oversized_; }

  private:
    enum class Access { kReadWrite, kReadOnly, kNone, kOversized };
    static Access AccessTo(const QString& filePath);
    void open(std::unique_ptr<QSettings> settings);

    Access access_;
    std::optional<std::string> oversized_;
    std::unique_ptr<QSettings> settings_;                      // none: kNone
    std::map<std::string, std::string, std::less<>> session_;  // values kept only in memory
};

}  // namespace tessaly
