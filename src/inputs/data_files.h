#pragma once
// Where the program finds the optional files that come with it (the sample folder, the pointer
// images, the skin file, the local pages): beside the program first, as in the build tree or a
// portable folder, then in the shared data folder of an installation, "../share/tessaly" from
// the program's folder. Nothing is looked up through a path fixed when the program was built,
// so an installation works under any prefix.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tessaly {

inline constexpr std::string_view kSharedDataFolder = "share/tessaly";

class DataFiles {
  public:
    // `programFolder`: the folder holding the program, without a trailing separator.
    DataFiles(std::string programFolder, FileSystem& files);

    // The path of `name` (relative, "/"-separated) in the first place that holds it; beside the
    // program when neither does, so a missing file is looked for, and missed, where it always was.
    std::string find(std::string_view name) const;
    // The folder in which `find` found `name`, without a trailing separator.
    std::string folderOf(std::string_view name) const;

  private:
    std::string programFolder_;
    std::string sharedFolder_;
    FileSystem& files_;
};

}  // namespace tessaly
