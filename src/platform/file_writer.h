#pragma once
// SafeFileWriter: writes a file so that an existing file of that name is either replaced as a
// whole or left untouched. The bytes go to a temporary file beside the target, which takes the
// target's place only at commit(); a file dropped before its commit leaves no trace. A named
// pipe or a device is written as it is, and a link leads to the file that is replaced.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessaly {

// Thrown by create() for a named pipe that no program reads: nothing was written, and waiting
// for a reader would hold up whoever saves. The text says so to the user.
class NoReaderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One file being written. Every failure throws std::runtime_error with a description the user
// can act on (it names the file and the reason).
class SafeFile {
  public:
    virtual ~SafeFile() = default;  // without commit(): the target stays as it was
    virtual void write(std::string_view bytes) = 0;
    // Puts every byte written in the target's place. After a failed write, always fails.
    virtual void commit() = 0;
};

class SafeFileWriter {
  public:
    virtual ~SafeFileWriter() = default;
    // True when the path names an existing file or folder (its modification time can be read);
    // false on any failure. Never throws.
    virtual bool PathExists(const std::string& path) = 0;
    // Starts writing `path` (UTF-8). Throws when it cannot be written at all: a missing or
    // read-only folder, a folder of that name, an invalid name; NoReaderError for a named pipe
    // nobody reads.
    virtual std::unique_ptr<SafeFile> create(const std::string& path) = 0;
};

}  // namespace tessaly
