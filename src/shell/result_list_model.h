#pragma once
// ResultListModel: the result list as the window shows it. A run appends rows in batches, one
// per pass of the event loop; the view is told of new rows no more often than the announce
// interval allows, because every announcement makes the view lay out all of its rows again. A
// run that finds millions of numbers thus spends its time scanning, and the list still visibly
// grows. Removals and resets are told at once.

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>

#include "report_list_model.h"
#include "result_list.h"

namespace tessaly {

class ResultListModel : public ReportListModel, private ResultListObserver {
  public:
    using Interval = std::function<std::chrono::milliseconds()>;

    explicit ResultListModel(ResultList& list, QObject* parent = nullptr);
    ~ResultListModel() override;

    // The least time between two announcements of new rows, asked anew each time; empty: none.
    void setAnnounceInterval(Interval interval) { interval_ = std::move(interval); }
    // Tells the view of every row appended so far.
    void showPendingRows();
    // How long telling the view of new rows took the last time, the view's own work included.
    std::chrono::nanoseconds lastAnnounceTime() const { return lastAnnounceTime_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

  protected:
    QString rowText(int row) const override;

  private:
    void beforeAppend(std::size_t, std::size_t) override {}
    void afterAppend() override;
    void beforeRemove(std::size_t firstRow, std::size_t count) override;
    void afterRemove() override;
    void beforeReset() override { beginResetModel(); }
    void afterReset() override;

    ResultList& list_;
    Interval interval_;
    std::size_t shown_ = 0;          // rows the view knows of: the list's first rows
    std::size_t removingShown_ = 0;  // rows of a removal that the view knows of
    QElapsedTimer sinceShown_;
    std::chrono::nanoseconds lastAnnounceTime_{0};
    QTimer pending_;
};

}  // namespace tessaly
