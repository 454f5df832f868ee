#pragma once
// Form1: the main window. It owns the two lists and the options, lays out every control at its
// fixed place, runs the start-up, and holds the handlers of its controls. The window pointer is
// its own: one value for the whole window, with the busy pointer shown over all of it.

#include <QCursor>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data_files.h"
#include "extraction_run.h"
#include "file_drop.h"
#include "folder_walk.h"
#include "input_list.h"
#include "input_list_model.h"
#include "options_model.h"
#include "platform/window_pointer.h"
#include "result_list.h"
#include "result_list_model.h"
#include "row_drag_reorder.h"
#include "sample_files.h"
#include "window_run_host.h"
#include "window_services.h"

class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tessaly {

class InputListEvents;
class OptionBox;
class ReorderListAdapter;
class ReportListView;

class Form1 : public QWidget, public WindowPointer {
    Q_OBJECT

  public:
    explicit Form1(const WindowServices& services, WindowConfig config = {},
                   QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up, run once before the window is shown: skin, hand pointer, home page, sample
    // record, caption and titles, list columns, options. Failures are reported step by step.
    void Form_Load();
    // Records the sample files; start-up calls it while no record exists yet. The window's own
    // sample files are recorded unless another recorder is set before start-up.
    void setRecordSampleFiles(std::function<void()> record) {
        recordSampleFiles_ = std::move(record);
    }

    int pointer() const override { return pointer_; }
    void setPointer(int value) override;

    InputList& inputList() { return inputs_; }
    ResultList& resultList() { return results_; }
    OptionsModel& options() { return options_; }
    const std::string& applicationTitle() const { return applicationTitle_; }
    bool IsExtracting() const { return run_.IsExtracting(); }
    bool isClosing() const { return closing_; }

    // The handlers of the controls, as a user action runs them.
    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton3_Click();
    void PushButton4_Click();
    void PushButton5_Click();
    void PushButton6_Click();
    void PushButton7_Click();
    void PushButton8_Click();
    void PushButton9_Click();
    void PushButton10_Click();
    void PushButton11_Click();
    void PushButton12_Click();
    void PushButton13_Click();
    void ListView1_KeyDown(int key);
    void ListView1_DblClick();
    void ListView2_DblClick();
    // The result list's context menu at `globalPos`, and its entries, which act on the selected
    // result rows.
    void ListView2_ContextMenu(QPoint globalPos);
    void mnuCopyWithSource_Click();
    void mnuCopyNumber_Click();
    void mnuShowWhereFound_Click();
    void mnuOpenFolder_Click();
    // A key pressed while the window is active: Escape stops the run going on.
    void Form_KeyDown(int key);
    void Check1_Click(int index);
    void Check2_Click();
    void Text1_Change();

  signals:
    // The window is closing: every command still running stops where it stands.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static WindowConfig WithProgramFolder(WindowConfig config);
    void createControls();
    void setReadingOrder();
    void connectHandlers();
    void connectInputList();
    void watchPointer();
    void ApplySkin();
    void maybeOpenHomePage();
    void SetApplicationTitle();
    void showOptions();
    void removeSelectedInput();
    void createResultMenu();
    // The selected result rows (1-based, in list order).
    std::vector<std::size_t> selectedResults() const;
    // The caption while a run goes on: the product title, " - " and `progress` (none: the
    // product title alone).
    void showRunProgress(const std::string& progress);
    void applyPointer();
    // The pointer `widget` shows of its own while the window pointer is the default.
    void setOwnPointer(QWidget* widget, const QCursor& cursor);
    QCursor customPointer() const;
    int drawOneToHundred();
    // The file:// address of one of the product's pages, where the data files are found.
    std::string pageAddress(std::string_view file) const;

    WindowServices services_;
    WindowConfig config_;
    DataFiles dataFiles_;
    InputList inputs_;
    ResultList results_;
    OptionsModel options_;
    InputListModel inputModel_;
    ResultListModel resultModel_;
    WindowRunHost runHost_;
    ExtractionRun run_;
    WalkServices walk_;
    SampleFiles samples_;
    FileDrop drop_;

    std::function<void()> recordSampleFiles_;
    std::string applicationTitle_;
    int pointer_ = kDefaultPointer;
    std::optional<QCursor> handImage_;
    bool closing_ = false;

    // Every widget of the window with the pointer it shows on its own (a text field's I-beam),
    // so the default pointer can be given back.
    struct PointerTarget {
        QPointer<QWidget> widget;
        std::optional<QCursor> own;
    };
    QList<PointerTarget> pointerTargets_;

    ReportListView* listView1_ = nullptr;
    ReportListView* listView2_ = nullptr;
    QMenu* resultMenu_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    std::array<OptionBox*, kLengthBoxCount> check1_{};
    OptionBox* check2_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QList<QPushButton*> buttons_;

    // Row reordering and drops on the input list; made once the list exists.
    std::unique_ptr<ReorderListAdapter> reorderView_;
    std::unique_ptr<RowDragReorder> reorder_;
    std::unique_ptr<InputListEvents> inputListEvents_;
};

}  // namespace tessaly
