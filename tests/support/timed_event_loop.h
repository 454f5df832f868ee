#pragma once
// An event loop that notes when each pass is made, so a test can tell the longest stretch the
// window went without one: from start() to the first pass, between passes, and from the last
// pass to stop(). Returning false from yield() stands for the window closing.

#include <algorithm>
#include <chrono>
#include <functional>

#include "platform/event_loop.h"

namespace tessaly::testing {

class TimedEventLoop : public EventLoop {
  public:
    using Clock = std::chrono::steady_clock;

    void start() {
        last_ = Clock::now();
        longest_ = {};
        passes = 0;
    }
    // The end of the measured work.
    void stop() { note(); }

    bool yield() override {
        note();
        ++passes;
        if (onYield) onYield(passes);
        // What a pass does for the test is not the work's own time.
        last_ = Clock::now();
        return !closing;
    }

    std::chrono::milliseconds longestGap() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(longest_);
    }

    long passes = 0;
    bool closing = false;
    std::function<void(long pass)> onYield;

  private:
    void note() {
        const Clock::time_point now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
};

}  // namespace tessaly::testing
