#pragma once
// A disk that fails part-way: once armed for a file, reads of it fail with EIO as soon as
// `goodBytes` of it were read. Every other read goes to the system as usual. It replaces
// read() for the whole test program, so include it in one source file of a program only.

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace tessaly::testing {

struct FailingRead {
    bool armed = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t goodBytes = 0;
};
inline FailingRead gFailingRead;

inline void FailReadsOf(const std::string& path, off_t goodBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;
    gFailingRead = {true, info.st_dev, info.st_ino, goodBytes};
}

}  // namespace tessaly::testing

extern "C" ssize_t read(int fd, void* buffer, size_t size) {
    using Read = ssize_t (*)(int, void*, size_t);
    static const auto real = reinterpret_cast<Read>(::dlsym(RTLD_NEXT, "read"));
    const tessaly::testing::FailingRead& fail = tessaly::testing::gFailingRead;
    struct stat info {};
    if (fail.armed && ::fstat(fd, &info) == 0 && info.st_dev == fail.device &&
        info.st_ino == fail.inode) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= fail.goodBytes) {
            errno = EIO;
            return -1;
        }
        size = std::min(size, static_cast<size_t>(fail.goodBytes - at));
    }
    return real(fd, buffer, size);
}
