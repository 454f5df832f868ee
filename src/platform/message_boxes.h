#pragma once
// MessageBoxes: the program's modal boxes other than the error report. All carry the
// application title and no icon; texts are UTF-8 and shown with their CR and CR LF breaks.

#include <string>

namespace tessaly {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A notice: the text and only an OK button.
    virtual void showNotice(const std::string& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
};

}  // namespace tessaly
