#pragma once
// QtMessageBoxes: notices and Yes/No questions as modal message boxes over the main window,
// titled with the application title, without an icon.

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/message_boxes.h"

namespace tessaly {

class QtMessageBoxes : public MessageBoxes {
  public:
    using TitleSource = std::function<QString()>;

    // The window the boxes belong to, and where their title comes from (it is fixed only during
    // start-up, after the boxes were made).
    void setOwner(QWidget* owner, TitleSource title);

    void showNotice(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

    // The boxes as they are shown, built but not yet opened.
    static std::unique_ptr<QMessageBox> MakeNotice(QWidget* owner, const QString& title,
                                                   const std::string& text);
    static std::unique_ptr<QMessageBox> MakeQuestion(QWidget* owner, const QString& title,
                                                     const std::string& text);

  private:
    QString title() const;

    QPointer<QWidget> owner_;
    TitleSource title_;
};

}  // namespace tessaly
