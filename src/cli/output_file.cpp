#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "file_replacement.h"
#include "interrupt_cleanup.h"

namespace tessaly::cli {

namespace {
constexpr std::size_t kRoomPast = 64 * 1024;  // lines that begin before kBufferSize end here
// The timely writer looks this often; bytes already there the look before are written out, so
// none waits much longer than twice this.
constexpr auto kLookEvery = std::chrono::milliseconds(50);
}  // namespace

OutputFile::OutputFile() : capacity_(kBufferSize + kRoomPast) {
    lineByLine_ = ::isatty(1) == 1;
    if (!lineByLine_) startTimelyWrites();
}

OutputFile::OutputFile(const std::string& path)
    : target_(path), capacity_(kBufferSize + kRoomPast) {
    // An interruption waits while the temporary file is made and registered for removal. A
    // stream stays interruptible: opening a pipe waits for its reader.
    std::optional<InterruptsHeld> held;
    try {
        if (ResolveWriteTarget(path).kind != WriteTarget::Kind::kStream) held.emplace();
        file_ = std::make_unique<FileReplacement>(path);
    } catch (const WriteRefused& e) {
        throw std::runtime_error("cannot write \"" + path + "\": " + e.what());
    }
    RemoveOnInterrupt(file_->temporaryPath());
    held.reset();
    // A regular file is read only once it is in place; a stream's reader waits for its bytes.
    if (file_->target().kind == WriteTarget::Kind::kStream) startTimelyWrites();
}

OutputFile::~OutputFile() {
    stopTimelyWrites();
    RemoveOnInterrupt({});
}

void OutputFile::startTimelyWrites() {
    try {
        timely_ = std::thread([this] { writeInTime(); });
    } catch (const std::system_error&) {
        // No thread to be had: the bytes wait for a full block or the end, as they may.
    }
}

void OutputFile::writeInTime() {
    std::unique_lock lock(turn_);
    bool waitedALook = false;
    while (!ended_) {
        ending_.wait_for(lock, kLookEvery);
        if (waitedALook && size_ > 0) flushBuffer();
        waitedALook = size_ > 0;
    }
}

void OutputFile::stopTimelyWrites() {
    if (!timely_.joinable()) return;
    {
        std::lock_guard lock(turn_);
        ended_ = true;
    }
    ending_.notify_all();
    timely_.join();
}

std::vector<FileIdentity> OutputFile::identities() const {
    std::vector<FileIdentity> found;
    if (file_) {
        found.push_back(file_->writtenIdentity());
        if (file_->target().identity) found.push_back(*file_->target().identity);
        return found;
    }
    // Standard output sent to a file is that file.
    struct stat st {};
    if (::fstat(1, &st) == 0 && S_ISREG(st.st_mode)) {
        found.push_back(
            {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)});
    }
    return found;
}

void OutputFile::flushBuffer() {
    const std::string_view buffered(buffer_.get(), size_);
    size_ = 0;
    if (!error_.empty() || readerGone_) return;
    if (file_) {
        try {
            file_->write(buffered);
        } catch (const WriteRefused& e) {
            readerGone_ = file_->readerGone();
            if (!readerGone_) error_ = e.what();
        }
        return;
    }
    const char* p = buffered.data();
    std::size_t left = buffered.size();
    while (left > 0) {
        const ssize_t n = ::write(1, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0 && errno == EPIPE) {
                readerGone_ = true;
            } else {
                error_ = std::strerror(n < 0 ? errno : EIO);
            }
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

void OutputFile::makeRoom(std::size_t n) {
    flushBuffer();
    if (n > capacity_) {
        buffer_ = std::make_unique_for_overwrite<char[]>(n);
        capacity_ = n;
    }
}

void OutputFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t part = std::min(bytes.size(), kBufferSize);
        char* const p = room(part);
        std::memcpy(p, bytes.data(), part);
        added(p + part);
        bytes.remove_prefix(part);
    }
}

std::string OutputFile::commit() {
    stopTimelyWrites();
    flushBuffer();
    const std::string name = target_.empty() ? "standard output" : "\"" + target_ + "\"";
    if (!error_.empty()) return "cannot write " + name + ": " + error_;
    if (!file_) return {};
    try {
        file_->commit();
    } catch (const WriteRefused& e) {
        if (file_->readerGone()) return {};
        return "cannot write " + name + ": " + e.what();
    }
    RemoveOnInterrupt({});
    return {};
}

}  // namespace tessaly::cli
