#include "path_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tessaly::cli {

PathList::PathList(const std::string& source, bool nullSeparated,
                   std::function<void(std::string)> refuse)
    : name_(source == "-" ? "(standard input)" : source),
      separator_(nullSeparated ? '\0' : '\n'),
      refuse_(std::move(refuse)) {
    auto fail = [&](const char* reason) {
        throw std::runtime_error("cannot read the list of files \"" + name_ + "\": " + reason);
    };
    fd_ = source == "-" ? 0 : ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) fail(std::strerror(errno));
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        fail("it is a folder");
    }
}

PathList::~PathList() {
    if (fd_ > 0) ::close(fd_);
}

std::optional<std::string> PathList::next() {
    for (;;) {
        const std::size_t end = buffer_.find(separator_, used_);
        if (end != std::string::npos || (ended_ && used_ < buffer_.size())) {
            const std::size_t stop = end == std::string::npos ? buffer_.size() : end + 1;
            std::string path =
                buffer_.substr(used_, (end == std::string::npos ? stop : end) - used_);
            used_ = stop;
            ++line_;
            if (path.empty()) continue;
            // Cut at the NUL, such an entry would name another file than the one listed.
            if (separator_ != '\0' && path.find('\0') != std::string::npos) {
                if (refuse_) {
                    refuse_("the list of files \"" + name_ + "\", line " + std::to_string(line_) +
                            ": \"" + path +
                            "\" holds a NUL byte, and a path cannot contain one (for paths "
                            "separated by NUL bytes, as find -print0 writes them, use -0)");
                }
                continue;
            }
            return path;
        }
        if (ended_) return std::nullopt;
        buffer_.erase(0, used_);
        used_ = 0;
        char chunk[1 << 16];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error_ = "cannot read the list of files \"" + name_ + "\": " + std::strerror(errno);
            buffer_.clear();  // a path cut by the failure is not a path
        }
        if (n <= 0) {
            ended_ = true;
            continue;
        }
        buffer_.append(chunk, std::size_t(n));
    }
}

}  // namespace tessaly::cli
