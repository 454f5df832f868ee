#pragma once
// ResultListModel: the result list as the window shows it. Rows come in batches, one batch per
// pass of the event loop, so a run that finds millions of numbers keeps the list responsive.

#include "report_list_model.h"
#include "result_list.h"

namespace tessaly {

class ResultListModel : public ReportListModel, private ResultListObserver {
public:
    explicit ResultListModel(ResultList& list, QObject* parent = nullptr);
    ~ResultListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    QString rowText(int row) const override;

private:
    void beforeAppend(std::size_t firstRow, std::size_t count) override;
    void afterAppend() override { endInsertRows(); }
    void beforeRemove(std::size_t row) override;
    void afterRemove() override { endRemoveRows(); }
    void beforeReset() override { beginResetModel(); }
    void afterReset() override { endResetModel(); }

    ResultList& list_;
};

}  // namespace tessaly
