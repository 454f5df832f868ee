#pragma once
// InputListEvents: what happens on the input list's rows area, handed to the logic that owns
// it: files and folders dragged over and dropped (FileDrop), and a click, press, move and
// release of the mouse that carry a row up or down (RowDragReorder). The list's own handling
// of the mouse (selection) goes on as before; drops are the program's alone.

#include <QObject>
#include <functional>

#include "file_drop.h"
#include "row_drag_reorder.h"

namespace tessaly {

class ReportListView;

class InputListEvents : public QObject {
    Q_OBJECT

  public:
    // `closing` tells when the window is going: nothing is handed on any more.
    InputListEvents(ReportListView& view, FileDrop& drop, RowDragReorder& reorder,
                    std::function<bool()> closing);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool dragOver(QEvent* event);
    bool dropped(QEvent* event);

    FileDrop& drop_;
    RowDragReorder& reorder_;
    std::function<bool()> closing_;
};

}  // namespace tessaly
