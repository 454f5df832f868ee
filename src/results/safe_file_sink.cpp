#include "safe_file_sink.h"

namespace tessaly {

namespace {
constexpr std::size_t kChunkSize = 256 * 1024;
}

SafeFileSink::SafeFileSink(SafeFile& file) : file_(file) {
    buffer_.reserve(kChunkSize);
}

void SafeFileSink::write(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kChunkSize) {
        file_.write(buffer_);
        buffer_.clear();
    }
}

void SafeFileSink::commit() {
    if (!buffer_.empty()) file_.write(buffer_);
    buffer_.clear();
    file_.commit();
}

}  // namespace tessaly
