#pragma once
// QtFileWriter: SafeFileWriter on QSaveFile. Every write and the final flush are checked here
// as well, because a short write that QSaveFile does not notice would otherwise still let
// commit() replace the user's file with a truncated one.

#include "platform/file_writer.h"

namespace tessaly {

class QtFileWriter : public SafeFileWriter {
  public:
    bool PathExists(const std::string& path) override;
    std::unique_ptr<SafeFile> create(const std::string& path) override;
};

}  // namespace tessaly
