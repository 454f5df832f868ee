// Start-up of the main window: its steps with their labels, in their order.

#include <QApplication>
#include <QGroupBox>
#include <QPalette>
#include <chrono>
#include <random>

#include "application_title.h"
#include "error_report.h"
#include "main_window.h"
#include "main_window_procedures.h"
#include "number_rules_frame.h"
#include "option_box.h"
#include "product.h"
#include "program_icon.h"
#include "qt_cursor_file.h"
#include "report_list_view.h"
#include "window_layout.h"

namespace tessaly {

namespace {

constexpr int kHomePageDraw = 7;

// A file that a plain listing shows: not a folder, not hidden, not a system entry.
bool IsNormalFile(FileSystem& fileSystem, const std::string& path) {
    const std::optional<int> attributes = fileSystem.attributes(path);
    constexpr int kNotNormal = kDirectoryAttribute | kHiddenAttribute | kSystemAttribute;
    return attributes && (*attributes & kNotNormal) == 0 && fileSystem.isExistingFile(path);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

void MainWindow::startUp() {
    Trap trap(services_.errorBox, procedure::kStartUp);
    trap.step(load_step::kApplySkin, [&] { applySkin(); });

    const std::string handFile = dataFiles_.find("HAND-M.CUR");
    bool hasHand = false;
    trap.step(load_step::kFindHand, [&] { hasHand = services_.fileSystem.pathExists(handFile); });
    if (hasHand) {
        trap.step(load_step::kLoadHand, [&] {
            handImage_ = LoadCursorFile(handFile);
            applyPointer();
        });
    }

    trap.step(load_step::kOpenHomePage, [&] { maybeOpenHomePage(); });
    const auto recordWhileMissing = [&] {
        if (!services_.settings.readOr(kSnapshotKey, "").empty()) return;
        if (recordSampleFiles_) recordSampleFiles_();
    };
    trap.step(load_step::kRecordSamples, recordWhileMissing);
    trap.step(load_step::kRecordSamplesAgain, recordWhileMissing);

    trap.step(load_step::kTitleAndIcon, [&] {
        setWindowTitle(QString::fromUtf8(kProductTitle.data(), qsizetype(kProductTitle.size())));
        setWindowIcon(ProgramIcon());
        setApplicationTitle();
    });

    const int columnWidth = layout::ToPixels(layout::kListColumnWidth);
    trap.step(load_step::kInputColumn,
              [&] { inputModel_.addColumn(QString::fromLatin1(layout::kInputColumn)); });
    trap.step(load_step::kInputColumnWidth, [&] { inputView_->setColumnWidth(0, columnWidth); });
    trap.step(load_step::kResultColumn,
              [&] { resultModel_.addColumn(QString::fromLatin1(layout::kResultColumn)); });
    trap.step(load_step::kResultColumnWidth, [&] { resultView_->setColumnWidth(0, columnWidth); });

    options_.restore(trap);

    // Said once, at the start of the session that leaves the file alone.
    if (const std::optional<std::string> file = services_.settings.oversizedFile()) {
        services_.messageBoxes.showNotice(
            "The settings file " + *file +
            " is larger than 1 MiB and was not loaded: " + std::string(kProductTitle) +
            " starts with its default options and leaves the file "
            "as it is.");
    }
}

// With a skin file among the data files, the window, its frames and its check boxes take the
// colour of button faces; without one they stay white.
void MainWindow::applySkin() {
    if (!IsNormalFile(services_.fileSystem, dataFiles_.find("x/o.cjs"))) return;
    const QColor face = palette().color(QPalette::Button);
    SetBackground(this, face);
    SetBackground(lengthFrame_, face);
    SetBackground(advancedFrame_, face);
    for (OptionBox* box : lengthBoxes_)
        SetBackground(box, face);
    SetBackground(requireBox_, face);
    numberFrame_->setFace(face);
}

void MainWindow::maybeOpenHomePage() {
    if (drawOneToHundred() != kHomePageDraw) return;
    // The browser opens on its own; start-up does not wait for it or ask how it went.
    services_.shell.openWebAddress(pageAddress(kHomePageFile));
}

int MainWindow::drawOneToHundred() {
    if (config_.drawOneToHundred) return config_.drawOneToHundred();
    const auto sinceMidnight =
        std::chrono::system_clock::now().time_since_epoch() % std::chrono::hours(24);
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::duration_cast<std::chrono::microseconds>(sinceMidnight).count()));
    return std::uniform_int_distribution<int>(1, 100)(generator);
}

void MainWindow::setApplicationTitle() {
    applicationTitle_ = ShortenedApplicationTitle(kProductTitle);
}

}  // namespace tessaly
