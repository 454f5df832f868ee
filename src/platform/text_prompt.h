#pragma once
// TextPrompt: a modal question that asks for one line of text, titled with the application
// title. Texts are UTF-8; the prompt keeps its CR line breaks.

#include <string>

namespace tessaly {

class TextPrompt {
  public:
    virtual ~TextPrompt() = default;
    // The answer as typed, starting from `defaultAnswer`; the empty text on Cancel.
    virtual std::string askText(const std::string& prompt, const std::string& defaultAnswer) = 0;
};

}  // namespace tessaly
