#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace tessaly::cli {

OutputFile::OutputFile() {
    buffer_.reserve(kBufferSize);
}

OutputFile::OutputFile(const std::string& path) : target_(path) {
    const auto fail = [&](const std::string& reason) {
        throw std::runtime_error("cannot write \"" + path + "\": " + reason);
    };
    if (path.empty()) fail("no file name was given");
    if (path.find('\0') != std::string::npos) fail("invalid name");
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) fail("it is a folder");
    // Putting the new file in its place needs only the folder's rights, not the file's: a file
    // the user may not change must not be replaced behind their back.
    if (exists && ::access(path.c_str(), W_OK) != 0) fail("the file is read-only");
    temporary_ = path + ".tessaly-XXXXXX";
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) {
        temporary_.clear();
        fail(std::strerror(errno));
    }
    // A replaced file keeps its permissions; a new one gets those of any new file.
    ::fchmod(
        fd_, exists ? st.st_mode & 07777 : 0666 & ~[] {
            mode_t m = ::umask(0);
            ::umask(m);
            return m;
        }());
    buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() {
    if (!temporary_.empty()) {
        ::close(fd_);
        ::unlink(temporary_.c_str());
    }
}

void OutputFile::flushBuffer() {
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0 && error_.empty()) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = std::strerror(n < 0 ? errno : EIO);
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void OutputFile::write(std::string_view bytes) {
    if (!error_.empty()) return;
    buffer_.append(bytes);
    if (buffer_.size() >= kBufferSize) flushBuffer();
}

void OutputFile::writeLongLine(std::string_view text) {
    write(text);
    write("\n");
}

std::string OutputFile::commit() {
    flushBuffer();
    const std::string name = target_.empty() ? "standard output" : "\"" + target_ + "\"";
    if (!error_.empty()) return "cannot write " + name + ": " + error_;
    if (temporary_.empty()) return {};
    const bool synced = ::fsync(fd_) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd_) == 0;
    if (!synced || !closed) {
        error_ = std::strerror(synced ? errno : syncError);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return "cannot write " + name + ": " + error_;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error_ = std::strerror(errno);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return "cannot write " + name + ": " + error_;
    }
    temporary_.clear();
    return {};
}

}  // namespace tessaly::cli
