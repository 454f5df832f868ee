#include "path_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tessaly::cli {

std::vector<std::string> ReadPathList(const std::string& source, bool nullSeparated) {
    const std::string name = source == "-" ? "(standard input)" : source;
    auto fail = [&](const char* reason) {
        throw std::runtime_error("cannot read the list of files \"" + name + "\": " + reason);
    };
    const int fd = source == "-" ? 0 : ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) fail(std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        fail("it is a folder");
    }
    const char separator = nullSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    std::string current;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            if (fd != 0) ::close(fd);
            fail(std::strerror(err));
        }
        if (n == 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] != separator) {
                current.push_back(buffer[i]);
            } else if (!current.empty()) {
                paths.push_back(std::move(current));
                current.clear();
            }
        }
    }
    if (fd != 0) ::close(fd);
    if (!current.empty()) paths.push_back(std::move(current));
    return paths;
}

}  // namespace tessaly::cli
