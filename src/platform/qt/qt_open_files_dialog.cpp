#include "qt_open_files_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <vector>

#include "qt_local_names.h"

namespace tessaly {

namespace {

// The nearest folder that holds every picked file: as a rule the one folder the dialog shows,
// but a name typed with a path of its own may lie elsewhere.
QString CommonFolder(const QStringList& picked) {
    QString folder = QFileInfo(picked.front()).absolutePath();
    const auto holdsAll = [&](const QString& candidate) {
        const QString prefix = candidate.endsWith('/') ? candidate : candidate + '/';
        for (const QString& file : picked) {
            if (!QFileInfo(file).absoluteFilePath().startsWith(prefix)) return false;
        }
        return true;
    };
    while (!holdsAll(folder) && folder != QStringLiteral("/")) {
        folder = QFileInfo(folder).absolutePath();
    }
    return folder;
}

}  // namespace

QStringList QtOpenFilesDialog::NameFilters(const std::string& filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()))
            .split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        }
        // The dialog hides this last group of patterns and shows the text before it.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

std::unique_ptr<QFileDialog> QtOpenFilesDialog::MakeDialog(QWidget* owner,
                                                           const OpenFilesRequest& request,
                                                           const QString& startFolder) {
    auto dialog = std::make_unique<QFileDialog>(owner);
    dialog->setWindowTitle(QString::fromStdString(request.title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                            : QFileDialog::ExistingFile);
    dialog->setNameFilters(NameFilters(request.filter));
    dialog->setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!startFolder.isEmpty()) dialog->setDirectory(startFolder);
    return dialog;
}

OpenFilesChoice QtOpenFilesDialog::ChoiceFor(const QStringList& picked, std::size_t limit) {
    // A pick whose name cannot be told from another's (bytes that are no text) is left out
    // rather than taken for a file it is not.
    QStringList kept;
    std::vector<std::string> paths;
    for (const QString& file : picked) {
        const QString absolute = QFileInfo(file).absoluteFilePath();
        if (std::optional<std::string> path = LocalPath(absolute)) {
            kept << absolute;
            paths.push_back(std::move(*path));
        }
    }
    if (paths.empty()) return {};
    if (paths.size() == 1) {
        if (OpenFilesResultLength(paths.front()) > limit) return {std::string(), true};
        return {paths.front(), false};
    }
    const std::optional<std::string> folder = LocalPath(CommonFolder(kept));
    if (!folder) return {};
    const std::string prefix = folder->ends_with('/') ? *folder : *folder + '/';
    std::vector<std::string> names;
    names.reserve(paths.size());
    for (const std::string& path : paths) {
        if (!path.starts_with(prefix)) return {};
        names.push_back(path.substr(prefix.size()));
    }
    return OpenFilesChoiceFor(*folder, names, limit);
}

OpenFilesChoice QtOpenFilesDialog::chooseOpenFiles(const OpenFilesRequest& request) {
    std::unique_ptr<QFileDialog> dialog = MakeDialog(owner_, request, lastFolder_);
    if (dialog->exec() != QDialog::Accepted) return {};
    lastFolder_ = dialog->directory().absolutePath();
    return ChoiceFor(dialog->selectedFiles(), request.resultLimit);
}

}  // namespace tessaly
