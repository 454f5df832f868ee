#include "qt_dropped_paths.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace tessaly {

namespace {

// The bytes a file address names on this computer: its path with the %-escapes undone byte for
// byte, so a name that is no valid UTF-8 comes through as it is on the disk. Nothing for an
// address of another computer's file, or one that names no path.
std::optional<std::string> LocalBytes(const QUrl& url) {
    if (!url.isLocalFile()) return std::nullopt;
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (path.isEmpty() || path.contains('\0')) return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::optional<std::vector<std::string>> DroppedFilePaths(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (std::optional<std::string> path = LocalBytes(url)) paths.push_back(std::move(*path));
    }
    if (paths.empty()) return std::nullopt;
    return paths;
}

}  // namespace tessaly
