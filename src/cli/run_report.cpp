#include "run_report.h"

namespace tessaly::cli {

void RunReport::failure(const std::string& message) {
    failed_ = true;
    notice(message);
}

void RunReport::notice(const std::string& message) {
    if (prepare_) prepare_();
    say_(message);
}

void RunReport::failureBefore(std::size_t file, std::string message) {
    std::lock_guard lock(waitingLock_);
    waiting_.push_back({file, std::move(message), true});
}

void RunReport::noteBefore(std::size_t file, std::string message) {
    std::lock_guard lock(waitingLock_);
    waiting_.push_back({file, std::move(message), false});
}

void RunReport::reached(std::size_t file) {
    std::vector<Waiting> due;
    {
        std::lock_guard lock(waitingLock_);
        std::size_t n = 0;
        while (n < waiting_.size() && waiting_[n].file <= file)
            ++n;
        if (n == 0) return;
        due.assign(std::make_move_iterator(waiting_.begin()),
                   std::make_move_iterator(waiting_.begin() + std::ptrdiff_t(n)));
        waiting_.erase(waiting_.begin(), waiting_.begin() + std::ptrdiff_t(n));
    }
    for (const Waiting& w : due) {
        if (w.failure) {
            failure(w.message);
        } else {
            if (prepare_) prepare_();
            say_(w.message);
        }
    }
}

}  // namespace tessaly::cli
