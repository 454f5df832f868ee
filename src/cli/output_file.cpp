#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "file_replacement.h"
#include "interrupt_cleanup.h"

namespace tessaly::cli {

OutputFile::OutputFile() {
    buffer_.reserve(kBufferSize);
}

OutputFile::OutputFile(const std::string& path) : target_(path) {
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
    buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() {
    RemoveOnInterrupt({});
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
    if (!error_.empty() || readerGone_) {
        buffer_.clear();
        return;
    }
    if (file_) {
        try {
            file_->write(buffer_);
        } catch (const WriteRefused& e) {
            readerGone_ = file_->readerGone();
            if (!readerGone_) error_ = e.what();
        }
        buffer_.clear();
        return;
    }
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
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
    buffer_.clear();
}

void OutputFile::write(std::string_view bytes) {
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
