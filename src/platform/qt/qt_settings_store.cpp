#include "qt_settings_store.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include "file_replacement.h"

namespace tessaly {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Where the user's settings file is, found without opening it: QSettings reads a file as soon
// as it is made for it. The probe's own file does not exist.
QString UserSettingsPath() {
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope,
                          QStringLiteral(".tessaly-location-probe"));
    return QFileInfo(probe.fileName()).path() + QLatin1Char('/') + ToQString(kSettingsApplication) +
           QStringLiteral(".ini");
}

}  // namespace

QtSettingsStore::Access QtSettingsStore::AccessTo(const QString& filePath) {
    const std::string path = QFile::encodeName(filePath).toStdString();
    struct stat st {};
    const bool oversized = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                           std::uint64_t(st.st_size) > kMaxSettingsFileSize;
    try {
        const WriteTarget target = ResolveWriteTarget(path);
        if (target.kind == WriteTarget::Kind::kStream) return Access::kNone;
        return oversized ? Access::kOversized : Access::kReadWrite;
    } catch (const WriteRefused&) {
        if (::stat(path.c_str(), &st) != 0) return Access::kReadWrite;  // it fails as it comes
        if (!S_ISREG(st.st_mode)) return Access::kNone;
        return oversized ? Access::kOversized : Access::kReadOnly;
    }
}

QtSettingsStore::QtSettingsStore() : access_(AccessTo(UserSettingsPath())) {
    if (access_ == Access::kOversized)
        oversized_ = QFile::encodeName(UserSettingsPath()).toStdString();
    if (access_ == Access::kReadWrite || access_ == Access::kReadOnly) {
        open(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                         ToQString(kSettingsApplication)));
    }
}

QtSettingsStore::QtSettingsStore(const QString& filePath) : access_(AccessTo(filePath)) {
    if (access_ == Access::kOversized) oversized_ = QFile::encodeName(filePath).toStdString();
    if (access_ == Access::kReadWrite || access_ == Access::kReadOnly) {
        open(std::make_unique<QSettings>(filePath, QSettings::IniFormat));
    }
}

void QtSettingsStore::open(std::unique_ptr<QSettings> settings) {
    settings_ = std::move(settings);
    settings_->beginGroup(ToQString(kSettingsSection));
}

std::optional<std::string> QtSettingsStore::read(std::string_view key) {
    if (const auto kept = session_.find(key); kept != session_.end()) return kept->second;
    const QString name = ToQString(key);
    if (!settings_ || !settings_->contains(name)) return std::nullopt;
    const QVariant value = settings_->value(name);
    // A hand-edited line with unquoted commas comes back as a list; it is the text the user
    // typed, so it is joined again.
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view key, std::string_view value) {
    if (access_ != Access::kReadWrite) {
        session_.insert_or_assign(std::string(key), std::string(value));
        return;
    }
    settings_->setValue(ToQString(key), ToQString(value));
    // Flushed at once: the program may end at any moment without saving. When the location
    // cannot be written (a missing folder, a full disk) the value is lost silently; the
    // program goes on working with what it shows, as it would without any settings.
    settings_->sync();
}

}  // namespace tessaly
