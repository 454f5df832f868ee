#include "report_list_view.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace tessaly {

ReportListView::ReportListView(QWidget* parent) : QTableView(parent) {
    // Every row is one line of text at one fixed height, and no row header shows.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The column keeps its width; dragging its divider to the right makes the list scroll
    // sideways to show long names.
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
}

int ReportListView::selectedRow() const {
    if (!selectionModel()) return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::vector<int> ReportListView::selectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    // Ranges rather than single indexes: a selection of millions of rows is a few ranges.
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ReportListView::selectRow(int row) {
    if (!model() || row < 0 || row >= model()->rowCount()) return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportListView::doItemsLayout() {
    QElapsedTimer timer;
    timer.start();
    QTableView::doItemsLayout();
    lastLayoutTime_ = std::chrono::nanoseconds(timer.nsecsElapsed());
}

void ReportListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        emit deletePressed();
        return;
    }
    // The list's own copy would take the current row alone; the window copies every selected one.
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        emit copyPressed();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ReportListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClickedList();
}

// A list with rows shows the focus on its current row; an empty one frames its rows area, so the
// user sees where the keys go.
void ReportListView::paintEvent(QPaintEvent* event) {
    QElapsedTimer timer;
    timer.start();
    QTableView::paintEvent(event);
    lastPaintTime_ = std::chrono::nanoseconds(timer.nsecsElapsed());
    if (!hasFocus() || (model() && model()->rowCount() > 0)) return;
    QPainter painter(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    frame.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void ReportListView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void ReportListView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void ReportListView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex index = indexAt(viewport()->mapFromGlobal(event->globalPos()));
        if (index.isValid() && !selectionModel()->isRowSelected(index.row())) {
            selectRow(index.row());
        }
        emit contextMenuWanted(event->globalPos());
        return;
    }
    // From the keyboard the menu opens under the current row, or at the list's top corner.
    const QRect row = visualRect(currentIndex());
    emit contextMenuWanted(viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()));
}

}  // namespace tessaly
