#pragma once
// OutputFile: where tessaly-extract writes. Standard output is written as it goes; a named
// file is written beside its target under a temporary name and put in place only when every
// byte was written, so an existing file is either fully replaced or left untouched.

#include <string>
#include <string_view>

namespace tessaly::cli {

class OutputFile {
  public:
    OutputFile();                                  // standard output
    explicit OutputFile(const std::string& path);  // throws std::runtime_error
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Buffered; a failure is remembered and reported by commit().
    void write(std::string_view bytes);
    // `text` and a line feed.
    void writeLine(std::string_view text) {
        if (buffer_.size() + text.size() + 1 > kBufferSize) return writeLongLine(text);
        buffer_.append(text);
        buffer_.push_back('\n');
    }
    // Flushes and, for a named file, replaces the target. Returns an error text, empty on success.
    std::string commit();

  private:
    static constexpr std::size_t kBufferSize = 1 << 20;
    void flushBuffer();
    void writeLongLine(std::string_view text);

    int fd_ = 1;
    std::string target_;
    std::string temporary_;
    std::string buffer_;
    std::string error_;
};

}  // namespace tessaly::cli
