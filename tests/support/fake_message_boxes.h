#pragma once
// Records notices and questions; questions are answered from a script (Yes when it runs out).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace tessaly::testing {

class FakeMessageBoxes : public MessageBoxes {
  public:
    void showNotice(const std::string& text) override {
        notices.push_back(text);
        if (onShow) onShow();
    }
    bool askYesNo(const std::string& text) override {
        questions.push_back(text);
        if (onShow) onShow();
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> notices;
    std::vector<std::string> questions;
    std::deque<bool> answers;
    std::function<void()> onShow;  // runs while a box is "open"
};

}  // namespace tessaly::testing
