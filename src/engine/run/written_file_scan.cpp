#include "written_file_scan.h"

#include "text_start.h"

namespace tessaly {

WrittenFileScan::WrittenFileScan(const std::string& path, const ScanRules& rules,
                                 std::size_t chunkSize)
    : file_(std::make_unique<FileSource>(path)),
      buffer_(chunkSize < 4 ? 4 : chunkSize),
      stream_(rules) {
    std::string started;
    if (rules.documents) document_ = OpenDocumentText(*rules.documents, *file_, path, started);
    if (document_ && rules.places) document_->keepPlaces(&places_);
    decoder_ = TextDecoder(
        document_ ? TextEncoding::Utf8
                  : StartText(file_, head_, buffer_, path, rules.unicodeSeparators, started));
}

bool WrittenFileScan::next(std::vector<WrittenNumber>& out) {
    if (done_) return false;
    text_.clear();
    if (!head_.empty()) {
        decoder_.decode(head_, text_);
        head_.clear();
    }
    if (document_) {
        piece_.clear();
        places_.clear();
        const bool more = document_->read(piece_);
        WalkPlaces(
            piece_, places_,
            [&](std::string_view stretch) {
                decoder_.decode(stretch, text_);
                stream_.feed(text_, out);
                text_.clear();
            },
            [&](std::string_view where) { stream_.setPlace(where); });
        if (more) return true;
    } else if (const std::size_t n = file_->read(buffer_.data(), buffer_.size()); n > 0) {
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
