#pragma once
// The paths of --files-from: a file (or standard input) holding one path a line, or paths
// separated by NUL bytes exactly as find -print0 writes them. The list may come from a pipe
// (--files-from <(find ...)): the user named it to be read.

#include <string>
#include <vector>

namespace tessaly::cli {

// The paths of `source` ("-": standard input), empty entries left out. Throws
// std::runtime_error with a description when the list cannot be read.
std::vector<std::string> ReadPathList(const std::string& source, bool nullSeparated);

}  // namespace tessaly::cli
