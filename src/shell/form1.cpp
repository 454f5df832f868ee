#include "form1.h"

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
#include "form1_procedures.h"
#include "help_texts.h"
#include "input_list_events.h"
#include "option_box.h"
#include "product.h"
#include "reorder_list_adapter.h"
#include "report_list_view.h"

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

Form1::Form1(const WindowServices& services, WindowConfig config, QWidget* parent)
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
      drop_(inputs_, walk_),
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
        const nanoseconds cost = resultModel_.lastAnnounceTime() + listView2_->lastLayoutTime() +
                                 listView2_->lastPaintTime();
        return std::min(milliseconds(1000), ceil<milliseconds>(cost * kLayoutShare));
    });
}

WindowConfig Form1::WithProgramFolder(WindowConfig config) {
    if (config.programFolder.empty()) {
        config.programFolder =
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    }
    return config;
}

std::string Form1::pageAddress(std::string_view file) const {
    const std::string path = dataFiles_.find(file);
    return QUrl::fromLocalFile(QFile::decodeName(QByteArray(path.data(), qsizetype(path.size()))))
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

Form1::~Form1() {
    options_.setChangeListener({});
    // The views go with the window's children, after the models they show.
    listView1_->setModel(nullptr);
    listView2_->setModel(nullptr);
}

void Form1::connectHandlers() {
    const auto on = [this](const char* name, void (Form1::*handler)()) {
        auto* button = findChild<QPushButton*>(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (!closing_) (this->*handler)();
        });
    };
    on("PushButton1", &Form1::PushButton1_Click);
    on("PushButton2", &Form1::PushButton2_Click);
    on("PushButton3", &Form1::PushButton3_Click);
    on("PushButton4", &Form1::PushButton4_Click);
    on("PushButton5", &Form1::PushButton5_Click);
    on("PushButton6", &Form1::PushButton6_Click);
    on("PushButton7", &Form1::PushButton7_Click);
    on("PushButton8", &Form1::PushButton8_Click);
    on("PushButton9", &Form1::PushButton9_Click);
    on("PushButton10", &Form1::PushButton10_Click);
    on("PushButton11", &Form1::PushButton11_Click);
    on("PushButton12", &Form1::PushButton12_Click);
    on("PushButton13", &Form1::PushButton13_Click);

    connect(listView1_, &ReportListView::deletePressed, this, [this] {
        if (!closing_) ListView1_KeyDown(Qt::Key_Delete);
    });
    connect(listView1_, &ReportListView::doubleClickedList, this, [this] {
        if (!closing_) ListView1_DblClick();
    });
    connect(listView2_, &ReportListView::doubleClickedList, this, [this] {
        if (!closing_) ListView2_DblClick();
    });
    connect(listView2_, &ReportListView::contextMenuWanted, this, [this](QPoint at) {
        if (!closing_) ListView2_ContextMenu(at);
    });
    // Escape reaches the window whichever of its controls has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (!closing_) Form_KeyDown(Qt::Key_Escape);
    });

    for (int i = 0; i < kLengthBoxCount; ++i) {
        connect(check1_[i], &QCheckBox::stateChanged, this, [this, i] { Check1_Click(i); });
    }
    connect(check2_, &QCheckBox::stateChanged, this, [this] { Check2_Click(); });
    connect(text1_, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
}

// Rows of the input list are carried up and down with the mouse, and files and folders are
// dropped on it.
void Form1::connectInputList() {
    reorderView_ = std::make_unique<ReorderListAdapter>(
        *listView1_, dataFiles_.find(kDragImageName),
        [this](const QCursor& cursor) { setOwnPointer(listView1_->viewport(), cursor); });
    reorder_ = std::make_unique<RowDragReorder>(inputs_, *reorderView_, *this);
    inputListEvents_ = std::make_unique<InputListEvents>(*listView1_, drop_, *reorder_,
                                                         [this] { return closing_; });
}

void Form1::closeEvent(QCloseEvent* event) {
    closing_ = true;
    event->accept();
    emit closing();
}

// "Clear List" of the input files: nothing while a long command shows the busy pointer.
void Form1::PushButton3_Click() {
    Trap trap(services_.errorBox, procedure::kClearInputs);
    trap.step(kOnlyStep, [&] {
        if (isBusy()) return;
        inputs_.clear();
        reorder_->listCleared();
    });
}

void Form1::PushButton5_Click() {
    Trap trap(services_.errorBox, procedure::kHelp);
    trap.step(kOnlyStep, [&] {
        services_.messageBoxes.showNotice(HelpText(pageAddress(kFormattingPageFile)));
    });
}

void Form1::PushButton7_Click() {
    run_.start();
}

void Form1::Form_KeyDown(int key) {
    if (key == Qt::Key_Escape) run_.stop();
}

void Form1::showRunProgress(const std::string& progress) {
    std::string caption(kProductTitle);
    if (!progress.empty()) caption += " - " + progress;
    setWindowTitle(QString::fromStdString(caption));
}

// "Clear List" of the results works also during a run, which then goes on appending.
void Form1::PushButton9_Click() {
    Trap trap(services_.errorBox, procedure::kClearResults);
    trap.step(kOnlyStep, [&] { results_.clear(); });
}

// Without a web browser to hand the page to, the user is told where the page is, so the button
// never does nothing at all.
void Form1::PushButton10_Click() {
    Trap trap(services_.errorBox, procedure::kFormatPage);
    trap.step(kOnlyStep, [&] {
        if (!services_.shell.openWebAddress(pageAddress(kFormattingPageFile))) {
            services_.messageBoxes.showNotice(std::string(kNoBrowserNotice) +
                                              pageAddress(kFormattingPageFile));
        }
    });
}

void Form1::PushButton13_Click() {
    Trap trap(services_.errorBox, procedure::kAdvancedHelp);
    trap.step(kOnlyStep, [&] { services_.messageBoxes.showNotice(AdvancedOptionText()); });
}

void Form1::ListView1_KeyDown(int key) {
    if (key == Qt::Key_Delete) removeSelectedInput();
}

void Form1::ListView1_DblClick() {
    removeSelectedInput();
}

void Form1::removeSelectedInput() {
    if (isBusy() || inputs_.empty()) return;
    const int row = listView1_->selectedRow();
    if (row < 0) return;
    inputs_.removeAt(static_cast<std::size_t>(row) + 1);
    reorder_->rowRemoved(static_cast<std::size_t>(row) + 1);
    // The row that moved into its place is selected, so Delete can go on down the list.
    listView1_->selectRow(std::min(row, static_cast<int>(inputs_.count()) - 1));
}

void Form1::ListView2_DblClick() {
    if (isBusy() || results_.empty()) return;
    const int row = listView2_->selectedRow();
    if (row < 0) return;
    results_.removeAt(static_cast<std::size_t>(row) + 1);
    listView2_->selectRow(std::min(row, static_cast<int>(results_.count()) - 1));
}

// The option handlers store each change at once. A value the settings cannot take still holds
// for this session; the settings keep their last value.
void Form1::Check1_Click(int index) {
    try {
        options_.setLengthBox(index, check1_[index]->value());
    } catch (...) {
    }
}

void Form1::Check2_Click() {
    try {
        options_.setRequireBox(check2_->value());
    } catch (...) {
    }
}

void Form1::Text1_Change() {
    try {
        options_.setRequiredText(ToUtf16(text1_->text()));
    } catch (...) {
    }
}

// The controls follow the options, whoever changed them; showing a value runs no handler.
void Form1::showOptions() {
    const ExtractionOptions& o = options_.options();
    for (int i = 0; i < kLengthBoxCount; ++i) {
        const QSignalBlocker quiet(check1_[i]);
        check1_[i]->setValue(o.lengthBoxes[i]);
    }
    {
        const QSignalBlocker quiet(check2_);
        check2_->setValue(o.requireBox);
    }
    const QString text = FromUtf16(o.requiredText);
    if (text1_->text() != text) {
        const QSignalBlocker quiet(text1_);
        text1_->setText(text);
    }
}

}  // namespace tessaly
