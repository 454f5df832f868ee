#pragma once
// PacedYield: the yields of a long command. Each call is one chance to hand control to the
// window's event loop; the pacer decides whether it is taken. Once the event loop reports that
// the window is closing, every later call answers false too, so the command stops where it
// stands.

#include "platform/event_loop.h"
#include "yield_pacer.h"

namespace tessaly {

class PacedYield {
  public:
    PacedYield(EventLoop& loop, Pacing pacing) : loop_(loop), pacer_(std::move(pacing)) {}

    // False once the window is closing.
    bool operator()() {
        if (stopped_) return false;
        if (!pacer_.due()) return true;
        stopped_ = !loop_.yield();
        pacer_.restart();
        return !stopped_;
    }
    bool stopped() const { return stopped_; }

  private:
    EventLoop& loop_;
    YieldPacer pacer_;
    bool stopped_ = false;
};

}  // namespace tessaly
