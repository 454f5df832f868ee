#include "qt_text_prompt.h"

#include "qt_message_text.h"

namespace tessaly {

std::unique_ptr<QInputDialog> QtTextPrompt::MakePrompt(QWidget* owner, const QString& title,
                                                       const std::string& prompt,
                                                       const std::string& defaultAnswer) {
    auto dialog = std::make_unique<QInputDialog>(owner);
    dialog->setWindowTitle(title);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setLabelText(MessageDisplayText(prompt));
    dialog->setTextValue(QString::fromStdString(defaultAnswer));
    return dialog;
}

std::string QtTextPrompt::askText(const std::string& prompt, const std::string& defaultAnswer) {
    std::unique_ptr<QInputDialog> dialog =
        MakePrompt(owner_, title_ ? title_() : QString(), prompt, defaultAnswer);
    if (dialog->exec() != QDialog::Accepted) return std::string();
    return dialog->textValue().toStdString();
}

}  // namespace tessaly
