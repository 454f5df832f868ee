#pragma once
// Runs a piece of a test where file modes count. Root reads and writes every file whatever its
// mode, so as root the work runs in a child process switched to the user "nobody"; otherwise
// it runs in a child as the test's own user. The work's text result comes back through a pipe.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace tessaly::testing {

inline constexpr uid_t kNobody = 65534;

// The text `work` returned, or nothing when the child could not switch user or failed.
inline std::optional<std::string> RunUnprivileged(const std::function<std::string()>& work) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(2);
        }
        const std::string result = work();
        std::size_t written = 0;
        while (written < result.size()) {
            const ssize_t n =
                ::write(pipeEnds[1], result.data() + written, result.size() - written);
            if (n <= 0) ::_exit(3);
            written += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return result;
}

}  // namespace tessaly::testing
