#pragma once
// InputListModel: the input file list as the window shows it. Names are shown as the platform
// decodes file names; the rows themselves keep their exact bytes.

#include "input_list.h"
#include "report_list_model.h"

namespace tessaly {

class InputListModel : public ReportListModel, private InputListObserver {
  public:
    explicit InputListModel(InputList& list, QObject* parent = nullptr);
    ~InputListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

  protected:
    QString rowText(int row) const override;
    // The whole path, which the list may show cut in the middle.
    QString rowToolTip(int row) const override { return rowText(row); }

  private:
    void beforeAppend(std::size_t firstRow, std::size_t count) override;
    void afterAppend() override { endInsertRows(); }
    void beforeRemove(std::size_t row) override;
    void afterRemove() override { endRemoveRows(); }
    void beforeReset() override { beginResetModel(); }
    void afterReset() override { endResetModel(); }
    void rowChanged(std::size_t row) override;

    InputList& list_;
};

}  // namespace tessaly
