#pragma once
// MainWindow: the main window. It owns the two lists and the options, lays out every control at its
// fixed place, runs the start-up, and holds the handlers of its controls. The window pointer is
// its own: one value for the whole window, with the busy pointer shown over all of it.

#include <QCursor>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

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
class QKeySequence;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tessaly {

class InputListEvents;
class NumberRulesFrame;
class OptionBox;
class ReorderListAdapter;
class ReportListView;

class MainWindow : public QWidget, public WindowPointer {
    Q_OBJECT

  public:
    explicit MainWindow(const WindowServices& services, WindowConfig config = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up, run once before the window is shown: skin, hand pointer, home page, sample
    // record, caption and titles, list columns, options. Failures are reported step by step.
    void startUp();
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
    bool isExtracting() const { return run_.IsExtracting(); }
    bool isClosing() const { return closing_; }

    // What the window's controls do, as a user action runs them.
    void addFiles();
    // Adds `paths` as a drop on the input list would: a folder gives the files below it.
    void addPaths(const std::vector<std::string>& paths);
    void addFilesInFolder();
    void clearInputs();
    void loadSampleFiles();
    // Removes the selected input row (Delete or a double click in the input list).
    void removeSelectedInput();
    void showHelp();
    void showAdvancedOptionHelp();
    // Starts a run; while one goes on the button reads "Stop Extracting" and stops it instead.
    void startExtraction();
    // Stops the run going on (Escape, wherever the focus is).
    void stopExtraction();
    // Opens the home page in the web browser (F1).
    void openHomePage();
    void saveResultsAsText();
    void saveResultsAsCommaDelimited();
    void copyResults();
    void clearResults();
    void removeDuplicateResults();
    void openFormattingPage();
    // Removes the selected result row (a double click in the result list).
    void removeSelectedResult();
    // The result list's context menu at `globalPos`, and its entries, which act on the selected
    // result rows.
    void showResultMenu(QPoint globalPos);
    void copyWithSource();
    void copyNumbers();
    void showWhereFound();
    void openContainingFolder();
    // The option controls: the length box at `index` (0 for 5 digits), the box that demands a
    // character, and the character's field.
    void lengthToggled(int index);
    void requireToggled();
    void requiredTextChanged();

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
    void addShortcut(const QKeySequence& keys, std::function<void()> action);
    void connectInputList();
    void watchPointer();
    void applySkin();
    void maybeOpenHomePage();
    void setApplicationTitle();
    void showOptions();
    void createResultMenu();
    void joinLineRead(std::thread::id id);
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

    ReportListView* inputView_ = nullptr;
    ReportListView* resultView_ = nullptr;
    QMenu* resultMenu_ = nullptr;
    QGroupBox* lengthFrame_ = nullptr;
    QGroupBox* advancedFrame_ = nullptr;
    NumberRulesFrame* numberFrame_ = nullptr;
    std::array<OptionBox*, kLengthBoxCount> lengthBoxes_{};
    OptionBox* requireBox_ = nullptr;
    QLineEdit* requiredTextEdit_ = nullptr;
    QList<QPushButton*> buttons_;
    QPushButton* startButton_ = nullptr;

    // The reads of "Show Where Found", each on a thread of its own; told to stop and joined
    // when the window goes.
    std::atomic<bool> stopLineReads_{false};
    std::vector<std::thread> lineReads_;

    // Row reordering and drops on the input list; made once the list exists.
    std::unique_ptr<ReorderListAdapter> reorderView_;
    std::unique_ptr<RowDragReorder> reorder_;
    std::unique_ptr<InputListEvents> inputListEvents_;
};

}  // namespace tessaly
