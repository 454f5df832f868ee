#pragma once
// QtFileWriter: SafeFileWriter for the window's saves, on the program's one rule for writing a
// path (file_replacement.h), shared with the settings file and the command-line extractor:
// links followed, pipes and devices written as they are, files replaced whole with their mode
// and owner, read-only files refused. A named pipe never holds up the window: one that nobody
// reads is refused at once, and while a slow reader catches up the window's events are served.

#include "platform/event_loop.h"
#include "platform/file_writer.h"

namespace tessaly {

class QtFileWriter : public SafeFileWriter {
  public:
    // `loop` serves the window while a pipe's reader catches up; none: such a write waits.
    explicit QtFileWriter(EventLoop* loop = nullptr) : loop_(loop) {}
    bool PathExists(const std::string& path) override;
    std::unique_ptr<SafeFile> create(const std::string& path) override;

  private:
    EventLoop* loop_;
};

}  // namespace tessaly
