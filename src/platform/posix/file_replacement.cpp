#include "file_replacement.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessaly {

namespace {

// Links followed before giving up, as the system does.
constexpr int kMaxLinks = 40;

[[noreturn]] void Refuse(const std::string& reason) {
    throw WriteRefused(reason);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A socket is not opened but connected to.
int ConnectSocket(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace

WriteTarget ResolveWriteTarget(const std::string& path) {
    if (path.empty()) Refuse("no file name was given");
    if (path.find('\0') != std::string::npos) Refuse("invalid name");
    WriteTarget target;
    target.path = path;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(target.path.c_str(), &st) != 0) {
            if (errno == ENOENT) return target;  // a new file (a dangling link gets one too)
            Refuse(std::strerror(errno));
        }
        if (S_ISLNK(st.st_mode)) {
            if (links == kMaxLinks) Refuse(std::strerror(ELOOP));
            std::string next(static_cast<std::size_t>(st.st_size) + 256, '\0');
            const ssize_t n = ::readlink(target.path.c_str(), next.data(), next.size());
            if (n < 0) Refuse(std::strerror(errno));
            next.resize(static_cast<std::size_t>(n));
            target.path = next.starts_with('/') ? next : FolderOf(target.path) + "/" + next;
            continue;
        }
        if (S_ISDIR(st.st_mode)) Refuse("it is a folder");
        // Putting a new file in place needs only the folder's rights, not the file's: a file
        // the user may not change must not be replaced behind their back. Root may change
        // every file, so a mode that lets nobody write is what marks a file read-only.
        if ((st.st_mode & 0222) == 0 || ::access(target.path.c_str(), W_OK) != 0) {
            Refuse("the file is read-only");
        }
        target.kind =
            S_ISREG(st.st_mode) ? WriteTarget::Kind::kRegular : WriteTarget::Kind::kStream;
        target.identity = IdentityOf(st);
        return target;
    }
}

FileReplacement::FileReplacement(const std::string& path, StreamWait wait)
    : target_(ResolveWriteTarget(path)), wait_(std::move(wait)) {
    if (target_.kind == WriteTarget::Kind::kStream) {
        struct stat st {};
        const bool known = ::stat(target_.path.c_str(), &st) == 0;
        const bool waitless = wait_ && known && S_ISFIFO(st.st_mode);
        if (known && S_ISSOCK(st.st_mode)) {
            fd_ = ConnectSocket(target_.path);
        } else {
            fd_ = ::open(target_.path.c_str(),
                         O_WRONLY | O_CLOEXEC | O_NOCTTY | (waitless ? O_NONBLOCK : 0));
        }
        if (fd_ < 0 && waitless && errno == ENXIO) throw NoReader("no program is reading it");
        if (fd_ < 0) Refuse(std::strerror(errno));
        written_ = *target_.identity;
        return;
    }
    // A short name, so a target whose name is as long as the system allows still gets one.
    temporary_ = FolderOf(target_.path) + "/.tessaly-XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temporary_.clear();
        Refuse(std::strerror(errno));
    }
    struct stat st {};
    if (target_.kind == WriteTarget::Kind::kRegular && ::stat(target_.path.c_str(), &st) == 0) {
        // Only root may give a file away; anyone else's copy stays theirs.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd_, st.st_uid, st.st_gid);
        }
        ::fchmod(fd_, st.st_mode & 07777);
    } else {
        ::fchmod(fd_, NewFileMode());
    }
    if (::fstat(fd_, &st) == 0) written_ = IdentityOf(st);
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void FileReplacement::fail(int error) {
    if (error == EPIPE) readerGone_ = true;
    Refuse(std::strerror(error));
}

void FileReplacement::write(std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_) {
            if (!waitWritable()) Refuse("the save was given up");
            continue;
        }
        if (n <= 0) fail(n < 0 ? errno : EIO);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

bool FileReplacement::waitWritable() {
    pollfd ready{fd_, POLLOUT, 0};
    constexpr int kLookMs = 20;
    if (::poll(&ready, 1, kLookMs) > 0) return true;
    return wait_();
}

void FileReplacement::commit() {
    // The bytes are on the disk before the name points at them, so a crash leaves the old file
    // or the new one, never an empty one. A stream has nothing to sync.
    if (!temporary_.empty() && ::fsync(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
    if (temporary_.empty()) return;
    if (std::rename(temporary_.c_str(), target_.path.c_str()) != 0) fail(errno);
    temporary_.clear();
}

}  // namespace tessaly
