// The window pointer: one value for the whole window. Over a button it is the hand, over
// everything else the default; the busy pointer of a long command is shown over the whole
// window and no movement replaces it.

#include <QMouseEvent>
#include <QPushButton>

#include "main_window.h"

namespace tessaly {

void MainWindow::watchPointer() {
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (QWidget* widget : widgets) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
        PointerTarget target{widget, std::nullopt};
        if (widget->testAttribute(Qt::WA_SetCursor)) target.own = widget->cursor();
        pointerTargets_ << target;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseMove || type == QEvent::Enter) && !closing_) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // A move that a control inside passed on belongs to that control.
        const bool passedOn =
            type == QEvent::MouseMove && widget &&
            widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()) != nullptr;
        if (widget && !passedOn && pointer_ != kBusyPointer) {
            const bool overButton = buttons_.contains(qobject_cast<QPushButton*>(widget));
            setPointer(overButton ? kCustomPointer : kDefaultPointer);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::setPointer(int value) {
    if (value == pointer_) return;
    pointer_ = value;
    applyPointer();
}

// Without a hand image of its own the custom pointer is the platform's pointing hand, so the
// buttons still show that they can be pressed.
QCursor MainWindow::customPointer() const {
    return handImage_ ? *handImage_ : QCursor(Qt::PointingHandCursor);
}

void MainWindow::setOwnPointer(QWidget* widget, const QCursor& cursor) {
    for (PointerTarget& target : pointerTargets_) {
        if (target.widget != widget) continue;
        target.own = cursor;
        if (pointer_ == kDefaultPointer) widget->setCursor(cursor);
        return;
    }
}

void MainWindow::applyPointer() {
    for (const PointerTarget& target : pointerTargets_) {
        QWidget* widget = target.widget;
        if (!widget) continue;
        switch (pointer_) {
            case kBusyPointer:
                widget->setCursor(Qt::WaitCursor);
                break;
            case kCustomPointer:
                widget->setCursor(customPointer());
                break;
            case kArrowPointer:
                widget->setCursor(Qt::ArrowCursor);
                break;
            default:
                if (target.own) {
                    widget->setCursor(*target.own);
                } else {
                    widget->unsetCursor();
                }
        }
    }
}

}  // namespace tessaly
