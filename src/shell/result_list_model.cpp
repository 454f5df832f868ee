#include "result_list_model.h"

namespace tessaly {

ResultListModel::ResultListModel(ResultList& list, QObject* parent)
    : ReportListModel(parent), list_(list) {
    list_.setObserver(this);
}

ResultListModel::~ResultListModel() { list_.setObserver(nullptr); }

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.count());
}

QString ResultListModel::rowText(int row) const {
    const std::string_view digits = list_.rows()[static_cast<std::size_t>(row)].view();
    return QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
}

void ResultListModel::beforeAppend(std::size_t firstRow, std::size_t count) {
    const int first = static_cast<int>(firstRow) - 1;
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
}

void ResultListModel::beforeRemove(std::size_t row) {
    const int r = static_cast<int>(row) - 1;
    beginRemoveRows(QModelIndex(), r, r);
}

}  // namespace tessaly
