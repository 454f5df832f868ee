#include "qt_folder_chooser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "qt_local_names.h"

namespace tessaly {

std::unique_ptr<QFileDialog> QtFolderChooser::MakeChooser(QWidget* owner, const std::string& prompt,
                                                          const std::string& initialFolder) {
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setWindowTitle(QString::fromStdString(prompt));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    const QByteArray bytes(initialFolder.data(), static_cast<qsizetype>(initialFolder.size()));
    const QFileInfo initial(QFile::decodeName(bytes));
    if (!initialFolder.empty() && initial.isDir()) {
        // Shown inside its parent and selected there; the root folder has no parent.
        const QString folder = initial.absoluteFilePath();
        if (initial.isRoot()) {
            dialog->setDirectory(folder);
        } else {
            dialog->setDirectory(initial.absolutePath());
            dialog->selectFile(initial.fileName());
        }
    }
    return dialog;
}

std::string QtFolderChooser::ChosenPath(const QString& folder) {
    // A folder whose name cannot be told from another's counts as no choice.
    return LocalPath(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())).value_or(std::string());
}

std::string QtFolderChooser::chooseFolder(const std::string& prompt,
                                          const std::string& initialFolder) {
    std::unique_ptr<QFileDialog> dialog = MakeChooser(owner_, prompt, initialFolder);
    if (dialog->exec() != QDialog::Accepted) return std::string();
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || !QFileInfo(chosen.front()).isDir()) return std::string();
    return ChosenPath(chosen.front());
}

}  // namespace tessaly
