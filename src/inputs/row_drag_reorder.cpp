#include "row_drag_reorder.h"

#include <string>

namespace tessaly {

void RowDragReorder::carry(std::size_t row) {
    view_.showDragPointer();
    view_.disableDragOut();
    draggedRow_ = row;
}

void RowDragReorder::move(int x, int y) {
    if (!windowPointer_.isBusy()) windowPointer_.setPointer(kDefaultPointer);
    if (!dragActive_) return;

    const std::optional<std::size_t> under = view_.rowAt(x, y);
    if (!under || !draggedRow_ || *draggedRow_ > list_.count() || *under > list_.count()) return;
    const std::size_t from = *draggedRow_;
    const std::size_t to = *under;
    if (list_.at(from) == list_.at(to)) return;

    std::string carried = list_.at(from);
    list_.setText(from, list_.at(to));
    list_.setText(to, std::move(carried));
    view_.selectRow(to);
    draggedRow_ = to;
    scrollNearEdge(y, to);
}

// Near the top edge the row above comes into sight, near the bottom edge the row below.
void RowDragReorder::scrollNearEdge(int y, std::size_t row) {
    const ReorderListView::VisibleArea area = view_.visibleArea();
    if (y < area.top + area.edgeBand && row >= 2) {
        view_.scrollToRow(row - 1);
    } else if (y > area.bottom - area.edgeBand && row < list_.count()) {
        view_.scrollToRow(row + 1);
    }
}

void RowDragReorder::release() {
    dragActive_ = false;
    view_.showArrowPointer();
}

void RowDragReorder::rowRemoved(std::size_t row) {
    if (!draggedRow_) return;
    if (*draggedRow_ == row) {
        draggedRow_.reset();
    } else if (*draggedRow_ > row) {
        --*draggedRow_;
    }
}

}  // namespace tessaly
