#include "window_run_host.h"

namespace tessaly {

std::optional<std::string> WindowRunHost::inputRowPath(std::size_t row) {
    if (row < 1 || row > p_.inputs.count()) return std::nullopt;
    return p_.inputs.at(row);
}

void WindowRunHost::appendResults(const std::vector<PhoneNumber>& numbers) {
    p_.results.append(numbers);
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
