#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <algorithm>

#include "error_report.h"
#include "help_texts.h"
#include "input_list_events.h"
#include "main_window_procedures.h"
#include "number_rules_frame.h"
#include "option_box.h"
#include "product.h"
#include "reorder_list_adapter.h"
#include "report_list_view.h"
#include "window_layout.h"

namespace tessaly {

namespace {

// Showing new results takes at most one fiftieth of a run.
constexpr int kLayoutShare = 50;

// The list's pointer while a row is carried, among the data files.
constexpr std::string_view kDragImageName = "drag.ico";

QString FromUtf16(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::u16string ToUtf16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

}  // namespace

MainWindow::MainWindow(const WindowServices& services, WindowConfig config, QWidget* parent)
    : QWidget(parent),
      services_(services),
      config_(WithProgramFolder(std::move(config))),
      dataFiles_(config_.programFolder, services.fileSystem),
      options_(services.settings),
      inputModel_(inputs_),
      resultModel_(results_),
      runHost_({inputs_, results_, options_, *this, services.messageBoxes, services.eventLoop,
                [this] { return closing_; }, [this] { resultModel_.showPendingRows(); },
                [this](const std::string& progress) { showRunProgress(progress); }}),
      run_(runHost_, services.errorBox, config_.pacing),
      walk_{services.fileSystem, services.eventLoop, services.errorBox, config_.pacing},
      samples_(dataFiles_.folderOf(kSampleFolderName),
               {services.settings, services.fileSystem, services.messageBoxes, services.shell,
                services.eventLoop, services.errorBox, config_.pacing}),
      drop_(inputs_, walk_, services.messageBoxes),
      recordSampleFiles_([this] { samples_.RecordSampleFiles(); }) {
    createControls();
    createResultMenu();
    connectHandlers();
    connectInputList();
    options_.setChangeListener([this] { showOptions(); });
    watchPointer();
    // New results are shown no more often than every kLayoutShare times what showing them cost
    // the last time (the list told of them, laid out and painted), so showing them costs a run
    // at most that share of its time; and at least every second, so the list still visibly
    // grows.
    resultModel_.setAnnounceInterval([this] {
        using namespace std::chrono;
        const nanoseconds cost = resultModel_.lastAnnounceTime() + resultView_->lastLayoutTime() +
                                 resultView_->lastPaintTime();
        return std::min(milliseconds(1000), ceil<milliseconds>(cost * kLayoutShare));
    });
}

WindowConfig MainWindow::WithProgramFolder(WindowConfig config) {
    if (config.programFolder.empty()) {
        config.programFolder =
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    }
    return config;
}

std::string MainWindow::pageAddress(std::string_view file) const {
    const std::string path = dataFiles_.find(file);
    return QUrl::fromLocalFile(QFile::decodeName(QByteArray(path.data(), qsizetype(path.size()))))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

MainWindow::~MainWindow() {
    stopLineReads_ = true;
    for (std::thread& read : lineReads_)
        read.join();
    options_.setChangeListener({});
    // The views go with the window's children, after the models they show.
    inputView_->setModel(nullptr);
    resultView_->setModel(nullptr);
}

void MainWindow::connectHandlers() {
    const auto on = [this](const char* name, void (MainWindow::*handler)()) {
        auto* button = findChild<QPushButton*>(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (!closing_) (this->*handler)();
        });
    };
    on("addFilesButton", &MainWindow::addFiles);
    on("saveCommaButton", &MainWindow::saveResultsAsCommaDelimited);
    on("clearInputsButton", &MainWindow::clearInputs);
    on("addFolderButton", &MainWindow::addFilesInFolder);
    on("helpButton", &MainWindow::showHelp);
    on("saveTextButton", &MainWindow::saveResultsAsText);
    on("startButton", &MainWindow::startExtraction);
    on("copyResultsButton", &MainWindow::copyResults);
    on("clearResultsButton", &MainWindow::clearResults);
    on("formatButton", &MainWindow::openFormattingPage);
    on("samplesButton", &MainWindow::loadSampleFiles);
    on("removeDuplicatesButton", &MainWindow::removeDuplicateResults);
    on("advancedHelpButton", &MainWindow::showAdvancedOptionHelp);

    connect(inputView_, &ReportListView::deletePressed, this, [this] {
        if (!closing_) removeSelectedInput();
    });
    connect(inputView_, &ReportListView::doubleClickedList, this, [this] {
        if (!closing_) removeSelectedInput();
    });
    connect(resultView_, &ReportListView::doubleClickedList, this, [this] {
        if (!closing_) removeSelectedResult();
    });
    connect(resultView_, &ReportListView::contextMenuWanted, this, [this](QPoint at) {
        if (!closing_) showResultMenu(at);
    });
    connect(resultView_, &ReportListView::copyPressed, this, [this] {
        if (!closing_) copyNumbers();
    });
    // The window's keys reach it whichever of its controls has the focus.
    addShortcut(QKeySequence(Qt::Key_Escape), [this] { stopExtraction(); });
    addShortcut(QKeySequence(Qt::Key_F1), [this] { openHomePage(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { addFiles(); });
    addShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveResultsAsText(); });
    // Only starts: a second press during a run is not taken for the stop button.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        addShortcut(QKeySequence(Qt::CTRL | key), [this] {
            if (!run_.IsExtracting()) startExtraction();
        });
    }

    for (int i = 0; i < kLengthBoxCount; ++i) {
        connect(lengthBoxes_[i], &QCheckBox::stateChanged, this, [this, i] { lengthToggled(i); });
    }
    connect(requireBox_, &QCheckBox::stateChanged, this, [this] { requireToggled(); });
    connect(requiredTextEdit_, &QLineEdit::textChanged, this, [this] { requiredTextChanged(); });
}

void MainWindow::addShortcut(const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, action = std::move(action)] {
        if (!closing_) action();
    });
}

// Rows of the input list are carried up and down with the mouse, and files and folders are
// dropped on it.
void MainWindow::connectInputList() {
    reorderView_ = std::make_unique<ReorderListAdapter>(
        *inputView_, dataFiles_.find(kDragImageName),
        [this](const QCursor& cursor) { setOwnPointer(inputView_->viewport(), cursor); });
    reorder_ = std::make_unique<RowDragReorder>(inputs_, *reorderView_, *this);
    inputListEvents_ = std::make_unique<InputListEvents>(*inputView_, drop_, *reorder_,
                                                         [this] { return closing_; });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
    emit closing();
}

// "Clear List" of the input files: nothing while a long command shows the busy pointer.
void MainWindow::clearInputs() {
    Trap trap(services_.errorBox, procedure::kClearInputs);
    trap.step(kOnlyStep, [&] {
        if (isBusy()) return;
        inputs_.clear();
        reorder_->listCleared();
    });
}

// Without a web browser the user is told where the page is, as for the formatting page.
void MainWindow::openHomePage() {
    Trap trap(services_.errorBox, procedure::kKeyDown);
    trap.step(kOnlyStep, [&] {
        if (!services_.shell.openWebAddress(pageAddress(kHomePageFile))) {
            services_.messageBoxes.showNotice(std::string(kNoBrowserHomeNotice) +
                                              pageAddress(kHomePageFile));
        }
    });
}

void MainWindow::showHelp() {
    Trap trap(services_.errorBox, procedure::kHelp);
    trap.step(kOnlyStep, [&] {
        services_.messageBoxes.showNotice(HelpText(pageAddress(kFormattingPageFile)));
    });
}

void MainWindow::startExtraction() {
    if (run_.IsExtracting()) return stopExtraction();
    runHost_.beginRun();
    startButton_->setText(QString::fromLatin1(layout::kStopCaption));
    run_.start();
    showRunProgress({});
}

void MainWindow::stopExtraction() {
    run_.stop();
}

// The caption while a run goes on; the start button reads as before once the run is over, before
// its notice.
void MainWindow::showRunProgress(const std::string& progress) {
    std::string caption(kProductTitle);
    if (!progress.empty()) caption += " - " + progress;
    setWindowTitle(QString::fromStdString(caption));
    if (progress.empty()) startButton_->setText(QString::fromLatin1(layout::kStartCaption));
}

// "Clear List" of the results works also during a run, which then goes on appending.
void MainWindow::clearResults() {
    Trap trap(services_.errorBox, procedure::kClearResults);
    trap.step(kOnlyStep, [&] { results_.clear(); });
}

// Without a web browser to hand the page to, the user is told where the page is, so the button
// never does nothing at all.
void MainWindow::openFormattingPage() {
    Trap trap(services_.errorBox, procedure::kFormatPage);
    trap.step(kOnlyStep, [&] {
        if (!services_.shell.openWebAddress(pageAddress(kFormattingPageFile))) {
            services_.messageBoxes.showNotice(std::string(kNoBrowserNotice) +
                                              pageAddress(kFormattingPageFile));
        }
    });
}

void MainWindow::showAdvancedOptionHelp() {
    Trap trap(services_.errorBox, procedure::kAdvancedHelp);
    trap.step(kOnlyStep, [&] { services_.messageBoxes.showNotice(AdvancedOptionText()); });
}

void MainWindow::removeSelectedInput() {
    if (isBusy() || inputs_.empty()) return;
    const int row = inputView_->selectedRow();
    if (row < 0) return;
    inputs_.removeAt(static_cast<std::size_t>(row) + 1);
    reorder_->rowRemoved(static_cast<std::size_t>(row) + 1);
    // The row that moved into its place is selected, so Delete can go on down the list.
    inputView_->selectRow(std::min(row, static_cast<int>(inputs_.count()) - 1));
}

void MainWindow::removeSelectedResult() {
    if (isBusy() || results_.empty()) return;
    const int row = resultView_->selectedRow();
    if (row < 0) return;
    results_.removeAt(static_cast<std::size_t>(row) + 1);
    resultView_->selectRow(std::min(row, static_cast<int>(results_.count()) - 1));
}

// The option handlers store each change at once. A value the settings cannot take still holds
// for this session; the settings keep their last value.
void MainWindow::lengthToggled(int index) {
    try {
        options_.setLengthBox(index, lengthBoxes_[index]->value());
    } catch (...) {
    }
}

void MainWindow::requireToggled() {
    try {
        options_.setRequireBox(requireBox_->value());
    } catch (...) {
    }
}

void MainWindow::requiredTextChanged() {
    try {
        options_.setRequiredText(ToUtf16(requiredTextEdit_->text()));
    } catch (...) {
    }
}

// The controls follow the options, whoever changed them; showing a value runs no handler.
void MainWindow::showOptions() {
    const ExtractionOptions& o = options_.options();
    for (int i = 0; i < kLengthBoxCount; ++i) {
        const QSignalBlocker quiet(lengthBoxes_[i]);
        lengthBoxes_[i]->setValue(o.lengthBoxes[i]);
    }
    {
        const QSignalBlocker quiet(requireBox_);
        requireBox_->setValue(o.requireBox);
    }
    const QString text = FromUtf16(o.requiredText);
    if (requiredTextEdit_->text() != text) {
        const QSignalBlocker quiet(requiredTextEdit_);
        requiredTextEdit_->setText(text);
    }
    numberFrame_->showOptions(o);
}

}  // namespace tessaly
