#pragma once
// FileReplacement: the one rule by which every writer of the program (the window's saves, the
// settings file, the extractor's --output) puts bytes at a path. A symbolic link is followed
// and its final target written (the link stays). A missing or regular target is written to a
// temporary file beside it, which takes its place only at commit(), keeping the old file's
// mode and owner; until then the old file is untouched. A named pipe, device or socket is
// opened and written as it is: replacing it with a file would destroy it. A target whose mode
// grants write to nobody is read-only, also for root.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessaly {

// Why a target cannot be written: the reason alone, without the path.
class WriteRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A named pipe that no program has open for reading, opened by a writer that may not wait.
class NoReader : public WriteRefused {
  public:
    using WriteRefused::WriteRefused;
};

// What a writer that may not wait on another program does while a pipe cannot take its bytes
// yet (the window serves its events); false gives the write up.
using StreamWait = std::function<bool()>;

struct WriteTarget {
    enum class Kind { kMissing, kRegular, kStream };
    Kind kind = Kind::kMissing;
    std::string path;                      // the final target, links followed
    std::optional<FileIdentity> identity;  // of an existing target
};

// Where writing `path` would put the bytes. Throws WriteRefused for a folder, a read-only
// target, an invalid name or a link loop.
WriteTarget ResolveWriteTarget(const std::string& path);

class FileReplacement {
  public:
    // Opens the temporary file or the stream; throws WriteRefused. With `wait`, a named pipe is
    // opened without waiting for a reader (NoReader when it has none) and a write it cannot take
    // yet calls `wait` between looks instead of blocking.
    explicit FileReplacement(const std::string& path, StreamWait wait = {});
    // Without commit(): the temporary file is removed and the target stays as it was.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Every byte or WriteRefused; a stream whose reader left fails with EPIPE's text.
    void write(std::string_view bytes);
    // Puts the bytes in place (or closes the stream); throws WriteRefused.
    void commit();

    const WriteTarget& target() const { return target_; }
    // The file the bytes go to now: the temporary file or the stream.
    FileIdentity writtenIdentity() const { return written_; }
    // The temporary file's name while it exists; empty for a stream and after commit().
    const std::string& temporaryPath() const { return temporary_; }
    // True once a write failed because nobody reads the stream any more.
    bool readerGone() const { return readerGone_; }

  private:
    void fail(int error);
    // A moment's wait for the pipe to take bytes; false when `wait_` gave up.
    bool waitWritable();

    WriteTarget target_;
    int fd_ = -1;
    std::string temporary_;
    FileIdentity written_;
    bool readerGone_ = false;
    StreamWait wait_;
};

}  // namespace tessaly
