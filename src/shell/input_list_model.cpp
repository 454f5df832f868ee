#include "input_list_model.h"

#include <QByteArray>
#include <QFile>

namespace tessaly {

InputListModel::InputListModel(InputList& list, QObject* parent)
    : ReportListModel(parent), list_(list) {
    list_.setObserver(this);
}

InputListModel::~InputListModel() {
    list_.setObserver(nullptr);
}

int InputListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.count());
}

QString InputListModel::rowText(int row) const {
    const std::string& path = list_.rows()[static_cast<std::size_t>(row)];
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

void InputListModel::beforeAppend(std::size_t firstRow, std::size_t count) {
    const int first = static_cast<int>(firstRow) - 1;
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
}

void InputListModel::beforeRemove(std::size_t row) {
    const int r = static_cast<int>(row) - 1;
    beginRemoveRows(QModelIndex(), r, r);
}

void InputListModel::rowChanged(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row) - 1, 0);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

}  // namespace tessaly
