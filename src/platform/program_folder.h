#pragma once
// ProgramFolder: the folder that holds the program, and the questions start-up asks about the
// optional files beside it (the skin, the hand pointer, the samples).

#include <string>

namespace tessaly {

class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;
    // The folder's path, without a trailing separator.
    virtual std::string path() const = 0;
    // True when the modification time of `path` can be read (an existing file or folder); false
    // on any failure. Never throws.
    virtual bool PathExists(const std::string& path) = 0;
    // True when `path` names a normal file: a regular file that is not hidden. Never throws.
    virtual bool IsNormalFile(const std::string& path) = 0;
};

}  // namespace tessaly
