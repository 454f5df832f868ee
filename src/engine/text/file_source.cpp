#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessaly {

namespace {

std::string Describe(const std::string& path, const std::string& reason) {
    return "Cannot read \"" + path + "\": " + reason;
}

std::string NotAFile(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return "it is a folder, not a file";
    if (S_ISFIFO(st.st_mode)) return "it is a named pipe (FIFO), not a file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "it is a device, not a file";
    if (S_ISSOCK(st.st_mode)) return "it is a socket, not a file";
    return "it is not a regular file";
}

FileStamp StampFrom(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat st {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &st) != 0 ||
        !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return StampFrom(st);
}

FileSource::FileSource(const std::string& path) : path_(path) {
    if (path == "-") {
        path_ = "(standard input)";
        fd_ = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
        if (fd_ < 0) throw FileReadError(Describe(path_, std::strerror(errno)));
        start_ = ::lseek(fd_, 0, SEEK_CUR);  // where the text begins; -1 for a pipe
        return;
    }
    if (path.empty()) throw FileReadError("Cannot read a file with an empty name");
    if (path.find('\0') != std::string::npos) throw FileReadError(Describe(path, "invalid name"));
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type check below refuses it.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd_ < 0) {
        const int err = errno;
        // A socket cannot even be opened; say what it is rather than the bare system error.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            throw FileReadError(Describe(path, NotAFile(st)));
        }
        throw FileReadError(Describe(path, std::strerror(err)));
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int err = errno;
        ::close(fd_);
        throw FileReadError(Describe(path, std::strerror(err)));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd_);
        throw FileReadError(Describe(path, NotAFile(st)));
    }
    stamp_ = StampFrom(st);
#ifdef POSIX_FADV_SEQUENTIAL
    // Read-ahead helps a file read in many pieces; a small one is read whole by its first read,
    // and the advice would only cost it one more system call.
    constexpr std::uint64_t kReadInPiecesFrom = 64 * 1024;
    if (stamp_.size > kReadInPiecesFrom) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

FileSource::~FileSource() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        throw FileReadError(Describe(path_, std::strerror(errno)));
    }
}

bool FileSource::rewind() {
    return start_ >= 0 && ::lseek(fd_, start_, SEEK_SET) == start_;
}

FileReadError FileSource::failure(const std::string& reason) const {
    return FileReadError(Describe(path_, reason));
}

FileStamp FileSource::stampNow() const {
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? StampFrom(st) : stamp_;
}

bool FileSource::seek(std::uint64_t offset) {
    const auto at = static_cast<off_t>(offset);
    return ::lseek(fd_, at, SEEK_SET) == at;
}

std::size_t FileSource::readFully(char* buffer, std::size_t capacity) {
    std::size_t total = 0;
    while (total < capacity) {
        const std::size_t n = read(buffer + total, capacity - total);
        if (n == 0) break;
        total += n;
    }
    return total;
}

}  // namespace tessaly
