#pragma once
// QtErrorBox: the error report as a modal box titled "Application Error", with the exclamation
// icon and only an OK button.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/error_box.h"

namespace tessaly {

class QtErrorBox : public ErrorBox {
  public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void showErrorReport(const std::string& text) override;

    // The box as it is shown, built but not yet opened.
    static std::unique_ptr<QMessageBox> MakeReport(QWidget* owner, const std::string& text);

  private:
    QPointer<QWidget> owner_;
};

}  // namespace tessaly
