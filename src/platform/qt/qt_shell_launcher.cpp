#include "qt_shell_launcher.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

namespace tessaly {

bool QtShellLauncher::openWebAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) return false;
    return QDesktopServices::openUrl(url);
}

bool QtShellLauncher::openFolder(const std::string& path) {
    if (path.empty() || path.front() != '/') return false;
    // The address carries the path's bytes %-escaped, so a folder whose name is no valid UTF-8
    // is the folder opened, not one whose name merely looks alike.
    const QByteArray name(path.data(), static_cast<qsizetype>(path.size()));
    const QUrl url = QUrl::fromEncoded("file://" + name.toPercentEncoding("/"), QUrl::StrictMode);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace tessaly
