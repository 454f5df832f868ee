#pragma once
// QtFileWriter: SafeFileWriter for the window's saves, on the program's one rule for writing a
// path (file_replacement.h), shared with the settings file and the command-line extractor:
// links followed, pipes and devices written as they are, files replaced whole with their mode
// and owner, read-only files refused.

#include "platform/file_writer.h"

namespace tessaly {

class QtFileWriter : public SafeFileWriter {
  public:
    bool PathExists(const std::string& path) override;
    std::unique_ptr<SafeFile> create(const std::string& path) override;
};

}  // namespace tessaly
