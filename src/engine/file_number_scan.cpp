#include "file_number_scan.h"

namespace tessaly {

FileNumberScan::FileNumberScan(const std::string& path, const ScanRules& rules,
                               std::size_t chunkSize)
    : file_(path), buffer_(chunkSize < 4 ? 4 : chunkSize), stream_(rules) {
    char head[4];
    const std::size_t n = file_.readFully(head, sizeof head);
    const EncodingChoice choice = DetectEncoding(std::string_view(head, n));
    projector_ = AsciiProjector(choice.encoding);
    head_.assign(head + choice.markLength, n - choice.markLength);
}

void FileNumberScan::scan(const char* data, std::size_t size, std::vector<PhoneNumber>& out,
                          std::vector<std::size_t>* lines) {
    if (projector_.isIdentity()) {
        stream_.feed(data, size, out, lines);
        return;
    }
    projected_.clear();
    projector_.project(data, size, projected_);
    stream_.feed(projected_.data(), projected_.size(), out, lines);
}

bool FileNumberScan::next(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines) {
    if (done_) return false;
    if (!head_.empty()) {
        scan(head_.data(), head_.size(), out, lines);
        head_.clear();
    }
    const std::size_t n = file_.read(buffer_.data(), buffer_.size());
    if (n > 0) {
        scan(buffer_.data(), n, out, lines);
        return true;
    }
    projected_.clear();
    projector_.finish(projected_);
    stream_.feed(projected_.data(), projected_.size(), out, lines);
    stream_.finish(out, lines);
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
