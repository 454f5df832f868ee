#include "qt_dropped_paths.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace tessaly {

std::optional<std::vector<std::string>> DroppedFilePaths(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!path.isEmpty()) paths.push_back(QFile::encodeName(path).toStdString());
    }
    if (paths.empty()) return std::nullopt;
    return paths;
}

}  // namespace tessaly
