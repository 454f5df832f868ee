#pragma once
// QtTextPrompt: a one-line text question over the main window, titled with the application
// title.

#include <QInputDialog>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/text_prompt.h"

namespace tessaly {

class QtTextPrompt : public TextPrompt {
  public:
    using TitleSource = std::function<QString()>;

    void setOwner(QWidget* owner, TitleSource title) {
        owner_ = owner;
        title_ = std::move(title);
    }

    std::string askText(const std::string& prompt, const std::string& defaultAnswer) override;

    // The question as it is shown, built but not yet opened.
    static std::unique_ptr<QInputDialog> MakePrompt(QWidget* owner, const QString& title,
                                                    const std::string& prompt,
                                                    const std::string& defaultAnswer);

  private:
    QPointer<QWidget> owner_;
    TitleSource title_;
};

}  // namespace tessaly
