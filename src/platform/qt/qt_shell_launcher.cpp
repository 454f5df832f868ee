#include "qt_shell_launcher.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace tessaly {

bool QtShellLauncher::openWebAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) return false;
    return QDesktopServices::openUrl(url);
}

bool QtShellLauncher::openFolder(const std::string& path) {
    const QByteArray name(path.data(), static_cast<qsizetype>(path.size()));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(name)));
}

}  // namespace tessaly
