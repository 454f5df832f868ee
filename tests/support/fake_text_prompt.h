#pragma once
// A text prompt that answers with a set text (empty: Cancel) and records what it was asked.

#include <functional>
#include <string>
#include <vector>

#include "platform/text_prompt.h"

namespace tessaly::testing {

class FakeTextPrompt : public TextPrompt {
  public:
    std::string askText(const std::string& prompt, const std::string& defaultAnswer) override {
        prompts.push_back(prompt);
        defaults.push_back(defaultAnswer);
        return answer ? answer(defaultAnswer) : std::string();
    }

    // From the default answer to the answer given; empty: Cancel.
    std::function<std::string(const std::string&)> answer;
    std::vector<std::string> prompts;
    std::vector<std::string> defaults;
};

}  // namespace tessaly::testing
