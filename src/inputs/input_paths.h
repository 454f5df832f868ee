#pragma once
// The input files a command line names: a file as it stands, a folder walked with all its
// subfolders, taking every file like a dropped folder, or only the files of one extension like
// the folder import.

#include <optional>
#include <string>
#include <vector>

#include "platform/error_box.h"
#include "platform/file_system.h"

namespace tessaly {

// `extension`: the folder import's answer ("txt", "*" for every file); nothing: every file.
// A folder that cannot be listed and failures of a walk go to `errors`; the expansion goes on
// with the next path.
std::vector<std::string> ExpandInputPaths(const std::vector<std::string>& paths,
                                          const std::optional<std::string>& extension,
                                          FileSystem& files, ErrorBox& errors);

}  // namespace tessaly
