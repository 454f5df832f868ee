#include "qt_settings_store.h"

#include <QStringList>
#include <QVariant>

namespace tessaly {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, ToQString(kSettingsApplication)) {
    settings_.beginGroup(ToQString(kSettingsSection));
}

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : settings_(filePath, QSettings::IniFormat) {
    settings_.beginGroup(ToQString(kSettingsSection));
}

std::optional<std::string> QtSettingsStore::read(std::string_view key) {
    const QString name = ToQString(key);
    if (!settings_.contains(name)) return std::nullopt;
    const QVariant value = settings_.value(name);
    // A hand-edited line with unquoted commas comes back as a list; it is the text the user
    // typed, so it is joined again.
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view key, std::string_view value) {
    settings_.setValue(ToQString(key), ToQString(value));
    // Flushed at once: the program may end at any moment without saving. When the location
    // cannot be written (a read-only folder, a full disk) the value is lost silently; the
    // program goes on working with what it shows, as it would without any settings.
    settings_.sync();
}

}  // namespace tessaly
