#include "qt_message_boxes.h"

#include "qt_message_text.h"

namespace tessaly {

namespace {

std::unique_ptr<QMessageBox> MakeBox(QWidget* owner, const QString& title, const std::string& text,
                                     QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, QString(), buttons, owner);
    box->setTextFormat(Qt::PlainText);
    box->setText(MessageDisplayText(text));
    return box;
}

}  // namespace

void QtMessageBoxes::setOwner(QWidget* owner, TitleSource title) {
    owner_ = owner;
    title_ = std::move(title);
}

QString QtMessageBoxes::title() const {
    return title_ ? title_() : QString();
}

std::unique_ptr<QMessageBox> QtMessageBoxes::MakeNotice(QWidget* owner, const QString& title,
                                                        const std::string& text) {
    return MakeBox(owner, title, text, QMessageBox::Ok);
}

std::unique_ptr<QMessageBox> QtMessageBoxes::MakeQuestion(QWidget* owner, const QString& title,
                                                          const std::string& text) {
    auto box = MakeBox(owner, title, text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box;
}

void QtMessageBoxes::showNotice(const std::string& text) {
    MakeNotice(owner_, title(), text)->exec();
}

bool QtMessageBoxes::askYesNo(const std::string& text) {
    return MakeQuestion(owner_, title(), text)->exec() == QMessageBox::Yes;
}

}  // namespace tessaly
