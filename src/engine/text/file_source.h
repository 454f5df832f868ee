#pragma once
// FileSource: an input file opened for reading bytes. Only a regular file can be read: a path
// naming a folder, a FIFO, a device or a socket fails at once with a clear description, like a
// missing or unreadable file, so a read can neither hang nor run on for ever. The path "-"
// alone stands for standard input, whatever it is, as in every command-line tool: the user
// chose to read it, pipe or terminal.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace tessaly {

// A file that could not be opened or read. what() is the failure description the user sees.
class FileReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What tells one state of a file from another: the same file (device and inode), the same length
// and the same modification time mean the bytes read back are the bytes read before.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the regular file at `path` now; nothing when there is none (gone, not a file).
std::optional<FileStamp> StampOf(const std::string& path);

class FileSource {
  public:
    explicit FileSource(const std::string& path);  // throws FileReadError
    // Takes over an open descriptor; `name` is what failure descriptions call it.
    FileSource(int fd, std::string name) : path_(std::move(name)), fd_(fd) {}
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Length in bytes when the file was opened.
    std::uint64_t size() const { return stamp_.size; }
    // The file as it was when opened.
    const FileStamp& stamp() const { return stamp_; }
    // The open file as it is now; as when opened when that cannot be told.
    FileStamp stampNow() const;
    // Reads up to `capacity` bytes; 0 at the end of the file. Throws FileReadError.
    std::size_t read(char* buffer, std::size_t capacity);
    // Reads until `capacity` bytes or the end of the file.
    std::size_t readFully(char* buffer, std::size_t capacity);
    // Back to the first byte read; false when the source cannot go back (a pipe).
    bool rewind();
    // Reading goes on at byte `offset` of the file; false when the source cannot go there.
    bool seek(std::uint64_t offset);
    // The failure of this file for `reason`, as its description says it.
    FileReadError failure(const std::string& reason) const;
    // The open file, for mapping its bytes (MappedWindow).
    int descriptor() const { return fd_; }

  private:
    std::string path_;
    int fd_ = -1;
    long long start_ = 0;
    FileStamp stamp_;
};

}  // namespace tessaly
