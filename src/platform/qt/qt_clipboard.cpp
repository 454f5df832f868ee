#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tessaly {

bool QtClipboard::clear() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->clear();
    return clipboard->text().isEmpty();
}

bool QtClipboard::setText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->setText(wanted);
    // Another program may hold the clipboard open; reading back tells whether ours arrived.
    return clipboard->text() == wanted;
}

}  // namespace tessaly
