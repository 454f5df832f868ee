#include "result_list_model.h"

#include <algorithm>

namespace tessaly {

ResultListModel::ResultListModel(ResultList& list, QObject* parent)
    : ReportListModel(parent), list_(list) {
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, &ResultListModel::showPendingRows);
    list_.setObserver(this);
}

ResultListModel::~ResultListModel() {
    list_.setObserver(nullptr);
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_);
}

QString ResultListModel::rowText(int row) const {
    const std::string_view digits = list_.rows()[static_cast<std::size_t>(row)].view();
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

void ResultListModel::showPendingRows() {
    pending_.stop();
    sinceShown_.start();
    if (list_.count() <= shown_) return;
    QElapsedTimer timer;
    timer.start();
    beginInsertRows(QModelIndex(), static_cast<int>(shown_), static_cast<int>(list_.count()) - 1);
    shown_ = list_.count();
    endInsertRows();
    lastAnnounceTime_ = std::chrono::nanoseconds(timer.nsecsElapsed());
}

void ResultListModel::afterAppend() {
    const qint64 wait = interval_ ? interval_().count() : 0;
    const qint64 waited = sinceShown_.isValid() ? sinceShown_.elapsed() : wait;
    if (waited >= wait) {
        showPendingRows();
    } else if (!pending_.isActive()) {
        // The last rows of a run show up even when no further rows follow.
        pending_.start(static_cast<int>(wait - waited));
    }
}

// Rows the view does not know of yet go without a word.
void ResultListModel::beforeRemove(std::size_t firstRow, std::size_t count) {
    removingShown_ = firstRow <= shown_ ? std::min(count, shown_ - firstRow + 1) : 0;
    if (removingShown_ == 0) return;
    const int first = static_cast<int>(firstRow) - 1;
    beginRemoveRows(QModelIndex(), first, first + static_cast<int>(removingShown_) - 1);
}

void ResultListModel::afterRemove() {
    if (removingShown_ == 0) return;
    shown_ -= removingShown_;
    removingShown_ = 0;
    endRemoveRows();
}

void ResultListModel::afterReset() {
    shown_ = list_.count();
    endResetModel();
}

}  // namespace tessaly
