#include "qt_local_names.h"

#include <dirent.h>

#include <QFile>
#include <QStringList>
#include <memory>

namespace tessaly {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The one entry of `folder` that Qt shows as `name`, if there is exactly one.
std::optional<std::string> EntryShownAs(const std::string& folder, const QString& name) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "/" : folder.c_str()));
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray bytes(entry->d_name);
        if (QFile::decodeName(bytes) != name) continue;
        if (found) return std::nullopt;  // two names look alike: neither can be told apart
        found = bytes.toStdString();
    }
    return found;
}

}  // namespace

std::optional<std::string> LocalPath(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path).toStdString();
    std::string bytes;
    const QStringList names = path.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (i > 0) bytes += '/';
        if (!name.contains(QChar::ReplacementCharacter)) {
            bytes += QFile::encodeName(name).toStdString();
            continue;
        }
        const std::optional<std::string> entry = EntryShownAs(bytes, name);
        if (!entry) return std::nullopt;
        bytes += *entry;
    }
    return bytes;
}

}  // namespace tessaly
