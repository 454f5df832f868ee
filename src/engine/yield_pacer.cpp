#include "yield_pacer.h"

namespace tessaly {

namespace {
// Between clock reads, so that asking per number costs next to nothing.
constexpr std::uint32_t kCallsPerClockRead = 64;
}  // namespace

YieldPacer::YieldPacer(Pacing pacing) : pacing_(std::move(pacing)), last_(now()) {}

std::chrono::steady_clock::time_point YieldPacer::now() const {
    return pacing_.clock ? pacing_.clock() : std::chrono::steady_clock::now();
}

bool YieldPacer::due() {
    if (pacing_.interval.count() <= 0) return true;
    if (++calls_ % kCallsPerClockRead != 0 && !pacing_.clock) return false;
    const auto t = now();
    if (t - last_ < pacing_.interval) return false;
    last_ = t;
    return true;
}

}  // namespace tessaly
