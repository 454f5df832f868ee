#include "input_list_events.h"

#include <QDropEvent>
#include <QMouseEvent>
#include <QTimer>

#include "qt_dropped_paths.h"
#include "report_list_view.h"

namespace tessaly {

InputListEvents::InputListEvents(ReportListView& view, FileDrop& drop, RowDragReorder& reorder,
                                 std::function<bool()> closing)
    : drop_(drop), reorder_(reorder), closing_(std::move(closing)) {
    view.setAcceptDrops(true);
    view.viewport()->setAcceptDrops(true);
    view.viewport()->setMouseTracking(true);
    view.viewport()->installEventFilter(this);
    connect(&view, &ReportListView::pressed, this, [this](const QModelIndex& index) {
        if (!closing_() && index.isValid()) {
            reorder_.carry(static_cast<std::size_t>(index.row()) + 1);
        }
    });
}

bool InputListEvents::eventFilter(QObject* watched, QEvent* event) {
    if (closing_()) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return dragOver(event);
        case QEvent::Drop:
            return dropped(event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            reorder_.press();
            break;
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            reorder_.move(at.x(), at.y());
            break;
        }
        case QEvent::MouseButtonRelease:
            reorder_.release();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

// Only a list of files and folders may be dropped; anything else shows the no-drop pointer.
bool InputListEvents::dragOver(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    const bool offersFiles = DroppedFilePaths(drag->mimeData()).has_value();
    if (offersFiles) {
        drag->acceptProposedAction();
    } else {
        drag->ignore();
    }
    return true;
}

// The drop is taken at once and handled on the next pass of the event loop, so the program the
// files came from is not held while a dropped folder is walked.
bool InputListEvents::dropped(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    std::optional<std::vector<std::string>> paths = DroppedFilePaths(drop->mimeData());
    if (!paths) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    QTimer::singleShot(0, this, [this, paths = std::move(*paths)] {
        if (!closing_()) drop_.drop(paths);
    });
    return true;
}

}  // namespace tessaly
