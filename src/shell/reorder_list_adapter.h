#pragma once
// ReorderListAdapter: the input list's view as the row reordering sees it. Rows are 1-based;
// the list's own pointer while a row is carried is the drag image from the program's folder.

#include <QCursor>
#include <functional>
#include <optional>
#include <string>

#include "row_drag_reorder.h"

namespace tessaly {

class ReportListView;

class ReorderListAdapter : public ReorderListView {
  public:
    // Gives the list a pointer of its own, shown whenever the window pointer is the default.
    using ListPointer = std::function<void(const QCursor&)>;

    // `dragImagePath`: the drag image file (bytes); when it cannot be read, a closed hand shows.
    ReorderListAdapter(ReportListView& view, std::string dragImagePath, ListPointer listPointer)
        : view_(view),
          dragImagePath_(std::move(dragImagePath)),
          listPointer_(std::move(listPointer)) {}

    std::optional<std::size_t> rowAt(int x, int y) const override;
    void selectRow(std::size_t row) override;
    void scrollToRow(std::size_t row) override;
    VisibleArea visibleArea() const override;
    void showDragPointer() override;
    void showArrowPointer() override;
    void disableDragOut() override;

  private:
    QCursor dragPointer();

    ReportListView& view_;
    std::string dragImagePath_;
    ListPointer listPointer_;
    std::optional<QCursor> dragPointer_;  // read once, at the first click on a row
};

}  // namespace tessaly
