#include "row_walk.h"

#include <stdexcept>

namespace tessaly {

RowWalk::RowWalk(const ListTable& list, WalkYield yield)
    : list_(list), yield_(std::move(yield)), generation_(list.generation()) {
    if (yield_.loop) pacer_.emplace(yield_.pacing);
}

bool RowWalk::pass() {
    if (!pacer_ || !pacer_->due()) return true;
    if (!yield_.loop->yield()) return false;
    if (list_.generation() != generation_) {
        throw std::runtime_error("Rows of the results were removed while they were being read");
    }
    if (yield_.resumed) yield_.resumed();
    pacer_->restart();
    return true;
}

}  // namespace tessaly
