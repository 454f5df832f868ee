#pragma once
// An event loop whose passes run a test's script: the n-th pass runs onYield(n). Returning
// false from yield() stands for the window closing.

#include <functional>

#include "platform/event_loop.h"

namespace tessaly::testing {

class FakeEventLoop : public EventLoop {
  public:
    bool yield() override {
        ++passes;
        if (onYield) onYield(passes);
        return !closing;
    }

    int passes = 0;
    bool closing = false;
    std::function<void(int pass)> onYield;
};

}  // namespace tessaly::testing
