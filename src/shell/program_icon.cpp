#include "program_icon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tessaly {

namespace {

// A blue tile with a white "T" over three small digit bars.
QPixmap IconImage(int size) {
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0.5 * unit, 0.5 * unit, 15 * unit, 15 * unit), 3 * unit, 3 * unit);
    painter.fillPath(tile, QColor(0x1f, 0x5f, 0xa8));
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(3 * unit, 2.5 * unit, 10 * unit, 2.5 * unit));
    painter.drawRect(QRectF(6.75 * unit, 2.5 * unit, 2.5 * unit, 8 * unit));
    for (int i = 0; i < 3; ++i) {
        painter.drawRect(QRectF((3 + 3.75 * i) * unit, 12 * unit, 2.5 * unit, 1.5 * unit));
    }
    return image;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(IconImage(size));
    return icon;
}

}  // namespace tessaly
