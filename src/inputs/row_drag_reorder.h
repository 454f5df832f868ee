#pragma once
// Reordering the input list by dragging: the user clicks a row, keeps a button pressed and
// moves the pointer; the dragged row's text changes places with the row under the pointer,
// step by step, and the list scrolls one row when the pointer is at its top or bottom edge.

#include <cstddef>
#include <optional>

#include "input_list.h"
#include "platform/window_pointer.h"

namespace tessaly {

// The list control as the reordering sees it. Positions are in the list's own coordinates.
class ReorderListView {
  public:
    virtual ~ReorderListView() = default;
    // The row at (x, y), or none.
    virtual std::optional<std::size_t> rowAt(int x, int y) const = 0;
    virtual void selectRow(std::size_t row) = 0;
    // Scrolls the list as little as needed for `row` to be seen whole.
    virtual void scrollToRow(std::size_t row) = 0;
    // The vertical extent of the visible rows, and the height of the band along each edge in
    // which the pointer scrolls the list.
    struct VisibleArea {
        int top = 0;
        int bottom = 0;
        int edgeBand = 0;
    };
    virtual VisibleArea visibleArea() const = 0;
    // The list's own pointer while a row is carried (the drag image from the program's
    // folder), and the arrow once the button is released.
    virtual void showDragPointer() = 0;
    virtual void showArrowPointer() = 0;
    // Keeps a pressed move from dragging the row out to another program.
    virtual void disableDragOut() = 0;
};

class RowDragReorder {
  public:
    RowDragReorder(InputList& list, ReorderListView& view, WindowPointer& windowPointer)
        : list_(list), view_(view), windowPointer_(windowPointer) {}

    // A click on row `row` (1-based): that row is carried from now on.
    void carry(std::size_t row);
    // Any button pressed anywhere in the list.
    void press() { dragActive_ = true; }
    // The pointer moved to (x, y) over the list: hands the window's pointer back (unless it is
    // busy) and, while a button is pressed, takes one step of the drag.
    void move(int x, int y);
    // Any button released over the list.
    void release();

    // The list lost row `row`; the rows below it moved up by one.
    void rowRemoved(std::size_t row);
    // The list was emptied.
    void listCleared() { draggedRow_.reset(); }

    bool dragActive() const { return dragActive_; }
    std::optional<std::size_t> draggedRow() const { return draggedRow_; }

  private:
    void scrollNearEdge(int y, std::size_t row);

    InputList& list_;
    ReorderListView& view_;
    WindowPointer& windowPointer_;
    bool dragActive_ = false;
    std::optional<std::size_t> draggedRow_;
};

}  // namespace tessaly
