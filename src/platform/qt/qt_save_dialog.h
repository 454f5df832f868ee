#pragma once
// QtSaveDialog: the save-file dialog of the result commands. The name typed is taken exactly as
// typed (no extension is ever added) and the dialog asks nothing about an existing file: the
// command asks that question itself. It opens where the last one left off.

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/save_dialog.h"

namespace tessaly {

class QtSaveDialog : public SaveDialog {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::string chooseSaveFile(const std::string& title, const std::string& filter) override;

    // The dialog as it is shown, built but not yet opened; an empty `startFolder` opens the
    // user's home folder.
    static std::unique_ptr<QFileDialog> MakeDialog(QWidget* owner, const std::string& title,
                                                   const std::string& filter,
                                                   const QString& startFolder);
    // The chosen name as the commands take it: the full path, bytes.
    static std::string ChosenPath(const QString& file);

  private:
    QPointer<QWidget> owner_;
    QString lastFolder_;
};

}  // namespace tessaly
