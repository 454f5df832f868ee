#pragma once
// ReportListView: a list of rows under one header column, the way both lists of the window
// look. It tells the window about the Delete key and every double-click; everything else is the
// list's own navigation. A table view underneath: its rows all have one fixed height, so it keeps
// nothing per row and never measures rows, which keeps ten million results light and smooth.

#include <QHeaderView>
#include <QTableView>
#include <chrono>
#include <vector>

namespace tessaly {

class ReportListView : public QTableView {
    Q_OBJECT

  public:
    explicit ReportListView(QWidget* parent = nullptr);

    // The selected row (0-based), or -1 when none is selected.
    int selectedRow() const;
    // Every selected row (0-based), in list order.
    std::vector<int> selectedRows() const;
    void selectRow(int row);
    // How long the view took to lay out all of its rows, and to paint itself, the last time.
    // The first paint after rows were added finds anew where every row stands, so it takes
    // longer the more rows the view has.
    std::chrono::nanoseconds lastLayoutTime() const { return lastLayoutTime_; }
    std::chrono::nanoseconds lastPaintTime() const { return lastPaintTime_; }
    void doItemsLayout() override;
    // The one header over the column.
    QHeaderView* header() const { return horizontalHeader(); }

  signals:
    // The Delete key, with or without Shift, Ctrl or Alt held.
    void deletePressed();
    // The platform's copy key (Ctrl+C).
    void copyPressed();
    // A double-click anywhere in the list, after its first click has selected the row under it.
    void doubleClickedList();
    // The context menu is asked for at `globalPos`: by the right mouse button, after the row
    // under the pointer was selected unless it already was, or by the menu key.
    void contextMenuWanted(QPoint globalPos);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    std::chrono::nanoseconds lastLayoutTime_{0};
    std::chrono::nanoseconds lastPaintTime_{0};
};

}  // namespace tessaly
