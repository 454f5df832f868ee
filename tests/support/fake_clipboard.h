#pragma once
// A clipboard that fails its first `failuresLeft` attempts, then holds what it is given.

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace tessaly::testing {

class FakeClipboard : public Clipboard {
  public:
    bool clear() override {
        ++clearAttempts;
        if (failuresLeft > 0) return --failuresLeft, false;
        text = std::string();
        return true;
    }
    bool setText(const std::string& t) override {
        ++setAttempts;
        if (failuresLeft > 0) return --failuresLeft, false;
        text = t;
        return true;
    }

    std::optional<std::string> text;  // nothing: never touched
    int failuresLeft = 0;
    int clearAttempts = 0;
    int setAttempts = 0;
};

}  // namespace tessaly::testing
