// The result list's context menu: copying the selected rows with or without where each was
// found, showing the line a number was found in, and opening the folder of its file.

#include <QMenu>
#include <QPointer>

#include "clipboard_copy.h"
#include "error_report.h"
#include "main_window.h"
#include "main_window_procedures.h"
#include "report_list_view.h"
#include "source_line.h"
#include "source_text.h"
#include "where_found_window.h"

namespace tessaly {

void MainWindow::createResultMenu() {
    resultMenu_ = new QMenu(this);
    resultMenu_->setObjectName(QStringLiteral("resultMenu"));
    const auto entry = [this](const char* name, const char* text, void (MainWindow::*handler)()) {
        QAction* action = resultMenu_->addAction(QString::fromLatin1(text));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, handler] {
            if (!closing_) (this->*handler)();
        });
    };
    entry("copyWithSourceAction", "Copy With &Source", &MainWindow::copyWithSource);
    entry("copyNumberAction", "Copy &Number", &MainWindow::copyNumbers);
    resultMenu_->addSeparator();
    entry("showWhereFoundAction", "Show &Where Found", &MainWindow::showWhereFound);
    entry("openFolderAction", "Open Containing &Folder", &MainWindow::openContainingFolder);
}

std::vector<std::size_t> MainWindow::selectedResults() const {
    std::vector<std::size_t> rows;
    for (const int row : resultView_->selectedRows())
        rows.push_back(static_cast<std::size_t>(row) + 1);
    return rows;
}

// The copies need some row; the other entries one row whose file is known.
void MainWindow::showResultMenu(QPoint globalPos) {
    const std::vector<std::size_t> rows = selectedResults();
    const bool oneWithFile = rows.size() == 1 && results_.sourceAt(rows[0]).file;
    for (QAction* action : resultMenu_->actions()) {
        const QString name = action->objectName();
        if (name.startsWith(QLatin1String("copy"))) action->setEnabled(!rows.empty());
        if (name == QLatin1String("showWhereFoundAction") ||
            name == QLatin1String("openFolderAction")) {
            action->setEnabled(oneWithFile);
        }
    }
    resultMenu_->popup(globalPos);
}

void MainWindow::copyWithSource() {
    Trap trap(services_.errorBox, procedure::kCopyWithSource);
    trap.step(kOnlyStep, [&] {
        const std::vector<std::size_t> rows = selectedResults();
        if (!rows.empty()) SetClipboardText(services_.clipboard, RowsWithSource(results_, rows));
    });
}

void MainWindow::copyNumbers() {
    Trap trap(services_.errorBox, procedure::kCopyNumber);
    trap.step(kOnlyStep, [&] {
        const std::vector<std::size_t> rows = selectedResults();
        if (!rows.empty()) SetClipboardText(services_.clipboard, RowNumbers(results_, rows));
    });
}

void MainWindow::showWhereFound() {
    Trap trap(services_.errorBox, procedure::kShowWhereFound);
    trap.step(kOnlyStep, [&] {
        const std::vector<std::size_t> rows = selectedResults();
        if (rows.size() != 1) return;
        const ResultSource source = results_.sourceAt(rows[0]);
        if (!source.file) return;
        std::string number(results_.at(rows[0]).view());
        auto* window = new WhereFoundWindow(source.file->path, source.line, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowFlag(Qt::Window);
        window->show();
        // Read off the window's thread; the line goes to the window if it is still open.
        QPointer<WhereFoundWindow> shown(window);
        // A document's line is a line of its text, read as the run read it.
        lineReads_.emplace_back([this, shown, file = *source.file, line = source.line,
                                 number = std::move(number),
                                 documents = runHost_.documentReader()] {
            SourceLine found = ReadSourceLine(file, line, number, &stopLineReads_, documents);
            QMetaObject::invokeMethod(
                this,
                [this, shown, found = std::move(found), id = std::this_thread::get_id()] {
                    if (shown) shown->showLine(found);
                    joinLineRead(id);
                },
                Qt::QueuedConnection);
        });
    });
}

// The read that handed its line over ends at once; its thread is freed here.
void MainWindow::joinLineRead(std::thread::id id) {
    for (auto read = lineReads_.begin(); read != lineReads_.end(); ++read) {
        if (read->get_id() != id) continue;
        read->join();
        lineReads_.erase(read);
        return;
    }
}

void MainWindow::openContainingFolder() {
    Trap trap(services_.errorBox, procedure::kOpenFolder);
    trap.step(kOnlyStep, [&] {
        const std::vector<std::size_t> rows = selectedResults();
        if (rows.size() != 1) return;
        const ResultSource source = results_.sourceAt(rows[0]);
        if (source.file) services_.shell.openFolder(ContainingFolder(source.file->path));
    });
}

}  // namespace tessaly
