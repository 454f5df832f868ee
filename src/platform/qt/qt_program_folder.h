#pragma once
// QtProgramFolder: the folder of the running program (or a given one) and the file questions
// start-up asks about it. Paths are bytes, as names are on this platform.

#include <string>

#include "platform/program_folder.h"

namespace tessaly {

class QtProgramFolder : public ProgramFolder {
public:
    // The folder that holds the running program.
    QtProgramFolder();
    explicit QtProgramFolder(std::string path) : path_(std::move(path)) {}

    std::string path() const override { return path_; }
    bool PathExists(const std::string& path) override;
    bool IsNormalFile(const std::string& path) override;

private:
    std::string path_;
};

}  // namespace tessaly
