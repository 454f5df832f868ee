#include "qt_error_box.h"

#include "platform/error_box.h"
#include "qt_message_text.h"

namespace tessaly {

std::unique_ptr<QMessageBox> QtErrorBox::MakeReport(QWidget* owner, const std::string& text) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Warning,
        QString::fromUtf8(kErrorReportTitle.data(),
                          static_cast<qsizetype>(kErrorReportTitle.size())),
        QString(), QMessageBox::Ok, owner);
    box->setTextFormat(Qt::PlainText);
    box->setText(MessageDisplayText(text));
    return box;
}

void QtErrorBox::showErrorReport(const std::string& text) {
    MakeReport(owner_, text)->exec();
}

}  // namespace tessaly
