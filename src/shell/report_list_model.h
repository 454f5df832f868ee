#pragma once
// The model behind a report-style list: rows of one text under a single header column. The
// column exists only once start-up has added it; until then the list shows no rows.

#include <QAbstractTableModel>
#include <QString>
#include <optional>

namespace tessaly {

class ReportListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Adds the list's one column; a list already holding it keeps its header.
    void addColumn(const QString& header);
    bool hasColumn() const { return header_.has_value(); }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  protected:
    // The text of row `row` (0-based, within rowCount()).
    virtual QString rowText(int row) const = 0;
    // The row's tooltip; none unless a list gives one.
    virtual QString rowToolTip(int /*row*/) const { return {}; }

  private:
    std::optional<QString> header_;
};

}  // namespace tessaly
