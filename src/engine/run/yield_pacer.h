#pragma once
// YieldPacer: decides when a long loop hands control to the window's event loop. Passing
// control on every item would let the event loop dominate a run's cost; passing it only after
// some milliseconds of work keeps the window repainting and usable at a small, fixed cost.

#include <chrono>
#include <cstdint>
#include <functional>

namespace tessaly {

struct Pacing {
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Work between two passes; zero passes control at every opportunity.
    std::chrono::microseconds interval{std::chrono::milliseconds(15)};
    Clock clock;  // empty: std::chrono::steady_clock
};

class YieldPacer {
  public:
    explicit YieldPacer(Pacing pacing);

    // True when the interval has passed since the last pass (which this then marks). Asked per
    // item, so the clock is read only every so many calls, and those in between stay inline.
    bool due() {
        if (pacing_.interval.count() > 0 && ++calls_ % kCallsPerClockRead != 0 && !pacing_.clock) {
            return false;
        }
        return dueByClock();
    }
    // Marks a pass made now.
    void restart() { last_ = now(); }

  private:
    static constexpr std::uint32_t kCallsPerClockRead = 64;

    bool dueByClock();
    std::chrono::steady_clock::time_point now() const;

    Pacing pacing_;
    std::chrono::steady_clock::time_point last_;
    std::uint32_t calls_ = 0;
};

}  // namespace tessaly
