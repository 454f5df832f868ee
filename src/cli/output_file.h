#pragma once
// OutputFile: where tessaly-extract writes. Standard output is written as it goes; a named
// file follows the program's one rule for writing a path (file_replacement.h), so an existing
// file is either fully replaced or left untouched, and a pipe or device is written as it is.
// A terminal gets each line as it is written. Into a pipe or a file the bytes go in large
// blocks, but a thread of the output's own writes out what waited longer than about a tenth
// of a second, so a reader sees each number soon after it was found; while it runs, the writer
// holds a Turn for each piece it writes.

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/file_system.h"

namespace tessaly {
class FileReplacement;
}

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
        char* const p = room(text.size() + 1);
        std::memcpy(p, text.data(), text.size());
        p[text.size()] = '\n';
        added(p + text.size() + 1);
    }
    // For a writer that composes its lines in place: room(n) is where n bytes may be written at
    // the end of what is buffered; added(end) keeps what was written there up to `end`.
    char* room(std::size_t n) {
        if (size_ + n > capacity_) makeRoom(n);
        return buffer_.get() + size_;
    }
    void added(const char* end) {
        size_ = std::size_t(end - buffer_.get());
        if (size_ >= kBufferSize || lineByLine_) flushBuffer();
    }
    // Writes out what is buffered now (before a message on standard error, so the two keep
    // their order).
    void flush() { flushBuffer(); }
    // Flushes and, for a named file, replaces the target. Returns an error text, empty on success.
    std::string commit();

    // True once the reader of a pipe went away: nothing more can be written, and nothing is
    // wrong either (the reader had enough).
    bool readerGone() const { return readerGone_; }
    // The files this output is: what is being written and the file it will replace. Reading
    // any of them as input would read the output back.
    std::vector<FileIdentity> identities() const;

    // The writer's hold on the buffer while a thread writes out what waited.
    class Turn {
      public:
        explicit Turn(OutputFile& out) : lock_(out.turn_) {}

      private:
        std::lock_guard<std::mutex> lock_;
    };

  private:
    static constexpr std::size_t kBufferSize = 1 << 20;
    void flushBuffer();
    void makeRoom(std::size_t n);
    void startTimelyWrites();
    void writeInTime();
    void stopTimelyWrites();

    std::unique_ptr<FileReplacement> file_;  // none: standard output
    std::string target_;
    // kBufferSize and room past it, the first size_ bytes buffered. Not filled in advance: a
    // run that writes little touches only the pages it writes.
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
    std::size_t size_ = 0;
    std::string error_;
    std::atomic<bool> readerGone_ = false;  // set by whichever thread wrote
    bool lineByLine_ = false;               // a terminal
    std::mutex turn_;
    std::condition_variable ending_;
    bool ended_ = false;
    std::thread timely_;
};

}  // namespace tessaly::cli
