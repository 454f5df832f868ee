#include "yield_pacer.h"

namespace tessaly {

YieldPacer::YieldPacer(Pacing pacing) : pacing_(std::move(pacing)), last_(now()) {}

std::chrono::steady_clock::time_point YieldPacer::now() const {
    return pacing_.clock ? pacing_.clock() : std::chrono::steady_clock::now();
}

bool YieldPacer::dueByClock() {
    if (pacing_.interval.count() <= 0) return true;
    const auto t = now();
    if (t - last_ < pacing_.interval) return false;
    last_ = t;
    return true;
}

}  // namespace tessaly
