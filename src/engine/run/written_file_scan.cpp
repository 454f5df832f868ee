#include "written_file_scan.h"

#include "text_start.h"

namespace tessaly {

WrittenFileScan::WrittenFileScan(const std::string& path, const ScanRules& rules,
                                 std::size_t chunkSize)
    : file_(std::make_unique<FileSource>(path)),
      buffer_(chunkSize < 4 ? 4 : chunkSize),
      stream_(rules) {
    decoder_ = TextDecoder(StartText(file_, head_, buffer_, path, rules.unicodeSeparators));
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
