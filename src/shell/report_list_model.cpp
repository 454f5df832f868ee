#include "report_list_model.h"

namespace tessaly {

void ReportListModel::addColumn(const QString& header) {
    if (header_) return;
    beginInsertColumns(QModelIndex(), 0, 0);
    header_ = header;
    endInsertColumns();
}

int ReportListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !header_ ? 0 : 1;
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0) return {};
    if (index.row() < 0 || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) return rowText(index.row());
    if (role == Qt::ToolTipRole) {
        const QString tip = rowToolTip(index.row());
        if (!tip.isEmpty()) return tip;
    }
    return {};
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section != 0 || !header_) {
        return {};
    }
    return *header_;
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace tessaly
