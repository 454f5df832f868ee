#pragma once
// QtFolderChooser: the chooser of one existing folder, opened with the given folder selected
// among its neighbours.

#include <QFileDialog>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/folder_chooser.h"

namespace tessaly {

class QtFolderChooser : public FolderChooser {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::string chooseFolder(const std::string& prompt, const std::string& initialFolder) override;

    // The chooser as it is shown, built but not yet opened.
    static std::unique_ptr<QFileDialog> MakeChooser(QWidget* owner, const std::string& prompt,
                                                    const std::string& initialFolder);
    // The chosen folder as the program keeps it: bytes, no trailing separator but for "/".
    static std::string ChosenPath(const QString& folder);

  private:
    QPointer<QWidget> owner_;
};

}  // namespace tessaly
