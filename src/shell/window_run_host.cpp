#include "window_run_host.h"

#include <algorithm>

namespace tessaly {

std::optional<std::string> WindowRunHost::inputRowPath(std::size_t row) {
    if (row < 1 || row > p_.inputs.count()) return std::nullopt;
    return p_.inputs.at(row);
}

void WindowRunHost::appendResults(const std::vector<PhoneNumber>& numbers) {
    if (p_.results.generation() != generation_) {
        generation_ = p_.results.generation();
        appendedSinceChange_ = 0;
    }
    p_.results.append(numbers);
    appendedSinceChange_ += numbers.size();
}

// Only the run appends results, so the rows appended since the list last changed are its
// last rows.
void WindowRunHost::takeBackResults(std::size_t count) {
    if (p_.results.generation() != generation_) return;
    const std::size_t gone = std::min(count, appendedSinceChange_);
    p_.results.removeLast(gone);
    appendedSinceChange_ -= gone;
    generation_ = p_.results.generation();
}

void WindowRunHost::showNotice(const std::string& text) {
    if (p_.closing()) return;
    if (p_.beforeNotice) p_.beforeNotice();
    p_.messageBoxes.showNotice(text);
}

bool WindowRunHost::yieldToEventLoop() {
    if (p_.closing()) return false;
    return p_.eventLoop.yield() && !p_.closing();
}

}  // namespace tessaly
