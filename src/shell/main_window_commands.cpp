// The buttons that fill the input list and put the results out, each handed to its command
// with the window's services. Every command reports its own failures.

#include "add_files_command.h"
#include "copy_results_command.h"
#include "folder_import_command.h"
#include "main_window.h"
#include "remove_duplicates_command.h"
#include "save_comma_command.h"
#include "save_text_command.h"

namespace tessaly {

void MainWindow::addFiles() {
    AddFilesCommand command(inputs_, services_.openFiles, services_.messageBoxes,
                            services_.errorBox);
    command.run();
}

void MainWindow::addPaths(const std::vector<std::string>& paths) {
    drop_.drop(paths);
}

void MainWindow::addFilesInFolder() {
    FolderImportCommand command(inputs_, services_.textPrompt, services_.folderChooser,
                                services_.settings, *this, walk_, services_.messageBoxes);
    command.run();
}

void MainWindow::loadSampleFiles() {
    samples_.load(inputs_, options_);
}

void MainWindow::saveResultsAsText() {
    SaveTextCommand command(results_, services_.saveDialog, services_.messageBoxes, *this,
                            services_.eventLoop, services_.errorBox, services_.fileWriter,
                            config_.pacing);
    command.run();
}

void MainWindow::saveResultsAsCommaDelimited() {
    SaveCommaCommand command(results_, services_.saveDialog, services_.messageBoxes, *this,
                             services_.eventLoop, services_.errorBox, services_.fileWriter,
                             config_.pacing);
    command.run();
}

void MainWindow::copyResults() {
    CopyResultsCommand command(results_, services_.clipboard, services_.messageBoxes,
                               services_.eventLoop, services_.errorBox, config_.pacing);
    command.run();
}

void MainWindow::removeDuplicateResults() {
    RemoveDuplicatesCommand command(results_, services_.messageBoxes, *this, services_.eventLoop,
                                    services_.errorBox, config_.pacing);
    command.run();
}

}  // namespace tessaly
