#include "file_number_scan.h"

#include "text_start.h"

namespace tessaly {

FileNumberScan::FileNumberScan(const std::string& path, const ScanRules& rules,
                               std::size_t chunkSize)
    : file_(std::make_unique<FileSource>(path)),
      buffer_(chunkSize < 4 ? 4 : chunkSize),
      stream_(rules) {
    std::string started;
    if (rules.documents) document_ = OpenDocumentText(*rules.documents, *file_, path, started);
    headAlone_ = !document_ && !started.empty();
    projector_ = AsciiProjector(
        document_ ? TextEncoding::Utf8
                  : StartText(file_, head_, buffer_, path, rules.unicodeSeparators, started),
        rules.unicodeSeparators);
}

void FileNumberScan::scan(const char* data, std::size_t size, std::vector<PhoneNumber>& out,
                          std::vector<std::size_t>* lines, NumberTexts* texts) {
    if (projector_.passesThrough(data, size)) {
        stream_.feed(data, size, out, lines, texts);
        return;
    }
    projected_.clear();
    projector_.project(data, size, projected_);
    stream_.feed(projected_.data(), projected_.size(), out, lines, texts);
}

bool FileNumberScan::next(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines,
                          NumberTexts* texts) {
    if (done_) return false;
    if (!head_.empty()) {
        scan(head_.data(), head_.size(), out, lines, texts);
        head_.clear();
        // The bytes read to tell a document from text are a piece of their own: a file no
        // longer than them gives its numbers and then its end, in as many pieces (and passes of
        // the window's run) as when only its mark was read first.
        if (headAlone_) return true;
    }
    if (document_) {
        text_.clear();
        const bool more = document_->read(text_);
        if (!text_.empty()) scan(text_.data(), text_.size(), out, lines, texts);
        if (more) return true;
    } else if (const std::size_t n = file_->read(buffer_.data(), buffer_.size()); n > 0) {
        scan(buffer_.data(), n, out, lines, texts);
        return true;
    }
    projected_.clear();
    projector_.finish(projected_);
    stream_.feed(projected_.data(), projected_.size(), out, lines, texts);
    stream_.finish(out, lines, texts);
    done_ = true;
    return false;
}

void ScanFileNumbers(const std::string& path, const ScanRules& rules, std::vector<PhoneNumber>& out,
                     std::vector<std::size_t>* lines) {
    FileNumberScan scan(path, rules);
    while (scan.next(out, lines)) {
    }
}

}  // namespace tessaly
