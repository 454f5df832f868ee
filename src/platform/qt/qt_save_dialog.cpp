#include "qt_save_dialog.h"

#include "qt_local_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "qt_open_files_dialog.h"

namespace tessaly {

std::unique_ptr<QFileDialog> QtSaveDialog::MakeDialog(QWidget* owner, const std::string& title,
                                                      const std::string& filter,
                                                      const QString& startFolder) {
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setWindowTitle(QString::fromStdString(title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // Replacing an existing file is the command's question, asked once, with its own words.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QString());
    const QStringList filters = QtOpenFilesDialog::NameFilters(filter);
    dialog->setNameFilters(filters);
    if (!filters.isEmpty()) dialog->selectNameFilter(filters.front());
    dialog->setDirectory(startFolder.isEmpty() ? QDir::homePath() : startFolder);
    return dialog;
}

// The bytes of the chosen name. A folder whose name is no valid UTF-8 is found by its real
// bytes, so a save never lands in a look-alike folder; a name that cannot be told apart from
// another counts as no choice.
std::string QtSaveDialog::ChosenPath(const QString& file) {
    return LocalPath(QFileInfo(file).absoluteFilePath()).value_or(std::string());
}

std::string QtSaveDialog::chooseSaveFile(const std::string& title, const std::string& filter) {
    std::unique_ptr<QFileDialog> dialog = MakeDialog(owner_, title, filter, lastFolder_);
    if (dialog->exec() != QDialog::Accepted) return std::string();
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::string();
    // The next save opens where this file went, also when its name was typed with a path.
    lastFolder_ = QFileInfo(chosen.front()).absolutePath();
    return ChosenPath(chosen.front());
}

}  // namespace tessaly
