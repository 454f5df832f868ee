#include "frame_box.h"

#include <QPainter>

namespace tessaly {

namespace {

// Where the caption starts, and the gap in the line on either side of it.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionGap = 2;

}  // namespace

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int lineTop = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(0, lineTop, width() - 1, height() - 1 - lineTop);
    if (title().isEmpty()) return;
    const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionGap,
                        metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace tessaly
