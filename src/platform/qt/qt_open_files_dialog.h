#pragma once
// QtOpenFilesDialog: the open-file dialog of "Add File(s)", several files at once. It opens
// where the last one left off.

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/open_files_dialog.h"

namespace tessaly {

class QtOpenFilesDialog : public OpenFilesDialog {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    OpenFilesChoice chooseOpenFiles(const OpenFilesRequest& request) override;

    // The dialog as it is shown, built but not yet opened.
    static std::unique_ptr<QFileDialog> MakeDialog(QWidget* owner, const OpenFilesRequest& request,
                                                   const QString& startFolder);
    // The filter pairs "Text|pattern|" as the dialog's name filters. The dialog shows each
    // entry's text as given; "*.*" lets every name through, also names without a dot.
    static QStringList NameFilters(const std::string& filter);
    // The result for the files picked, by their full paths.
    static OpenFilesChoice ChoiceFor(const QStringList& picked, std::size_t limit);

  private:
    QPointer<QWidget> owner_;
    QString lastFolder_;
};

}  // namespace tessaly
