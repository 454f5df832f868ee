#include "written_file_scan.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessaly {

WrittenFileScan::WrittenFileScan(const std::string& path, const ScanRules& rules,
                                 std::size_t chunkSize)
    : file_(std::make_unique<FileSource>(path)),
      buffer_(chunkSize < 4 ? 4 : chunkSize),
      stream_(rules) {
    char head[4];
    const std::size_t n = file_->readFully(head, sizeof head);
    const EncodingChoice choice = DetectEncoding(std::string_view(head, n));
    head_.assign(head + choice.markLength, n - choice.markLength);
    TextEncoding encoding = choice.encoding;
    if (rules.unicodeSeparators && encoding == TextEncoding::EightBit && wholeFileIsUtf8(path)) {
        encoding = TextEncoding::Utf8;
    }
    decoder_ = TextDecoder(encoding);
}

// Reads the file through once (from its first byte on, head_ included) and goes back to where
// the text begins; a source that cannot go back is read from a temporary copy instead.
bool WrittenFileScan::wholeFileIsUtf8(const std::string& path) {
    Utf8Check check;
    check.feed(head_);
    std::FILE* copy = nullptr;
    if (!file_->rewind()) {
        copy = std::tmpfile();
        if (!copy) throw FileReadError("Cannot read \"" + path + "\": " + std::strerror(errno));
        std::fwrite(head_.data(), 1, head_.size(), copy);
    } else {
        file_->readFully(buffer_.data(), head_.size());  // past the head again
    }
    for (std::size_t n; (n = file_->read(buffer_.data(), buffer_.size())) > 0;) {
        check.feed(std::string_view(buffer_.data(), n));
        if (copy && std::fwrite(buffer_.data(), 1, n, copy) != n) {
            std::fclose(copy);
            throw FileReadError("Cannot read \"" + path +
                                "\": the temporary copy could not be written");
        }
    }
    if (copy) {
        std::fflush(copy);
        const int fd = ::dup(::fileno(copy));
        std::fclose(copy);
        if (fd < 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
            throw FileReadError("Cannot read \"" + path + "\": " + std::strerror(errno));
        }
        file_ = std::make_unique<FileSource>(fd, path);
    } else {
        file_->rewind();
    }
    // Read again from the first byte: the head is read anew.
    head_.clear();
    return check.wellFormed();
}

bool WrittenFileScan::next(std::vector<WrittenNumber>& out) {
    if (done_) return false;
    text_.clear();
    if (!head_.empty()) {
        decoder_.decode(head_, text_);
        head_.clear();
    }
    const std::size_t n = file_->read(buffer_.data(), buffer_.size());
    if (n > 0) {
        decoder_.decode(std::string_view(buffer_.data(), n), text_);
        stream_.feed(text_, out);
        return true;
    }
    decoder_.finish(text_);
    stream_.feed(text_, out);
    stream_.finish(out);
    done_ = true;
    return false;
}

}  // namespace tessaly
