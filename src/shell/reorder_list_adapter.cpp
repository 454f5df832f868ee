#include "reorder_list_adapter.h"

#include <QFile>
#include <QPixmap>

#include "report_list_view.h"

namespace tessaly {

std::optional<std::size_t> ReorderListAdapter::rowAt(int x, int y) const {
    const QModelIndex index = view_.indexAt(QPoint(x, y));
    if (!index.isValid()) return std::nullopt;
    return static_cast<std::size_t>(index.row()) + 1;
}

void ReorderListAdapter::selectRow(std::size_t row) {
    view_.selectRow(static_cast<int>(row) - 1);
}

void ReorderListAdapter::scrollToRow(std::size_t row) {
    if (!view_.model()) return;
    const QModelIndex index = view_.model()->index(static_cast<int>(row) - 1, 0);
    if (index.isValid()) view_.scrollTo(index);
}

// The pointer scrolls the list within one row of its top or bottom edge.
ReorderListView::VisibleArea ReorderListAdapter::visibleArea() const {
    int rowHeight = view_.fontMetrics().height();
    if (view_.model() && view_.model()->rowCount() > 0) {
        rowHeight = view_.visualRect(view_.model()->index(0, 0)).height();
    }
    return {0, view_.viewport()->height(), rowHeight};
}

void ReorderListAdapter::showDragPointer() {
    listPointer_(dragPointer());
}

void ReorderListAdapter::showArrowPointer() {
    listPointer_(QCursor(Qt::ArrowCursor));
}

void ReorderListAdapter::disableDragOut() {
    view_.setDragEnabled(false);
}

QCursor ReorderListAdapter::dragPointer() {
    if (!dragPointer_) {
        const QByteArray bytes(dragImagePath_.data(),
                               static_cast<qsizetype>(dragImagePath_.size()));
        const QPixmap image(QFile::decodeName(bytes));
        // Reordering does not depend on the image: without it the list shows a closed hand.
        dragPointer_ = image.isNull() ? QCursor(Qt::ClosedHandCursor) : QCursor(image);
    }
    return *dragPointer_;
}

}  // namespace tessaly
