#pragma once
// tessaly-extract's work: scan the files, write the numbers, report the files that failed.

#include <string>
#include <vector>

#include "command_line.h"

namespace tessaly::cli {

// Returns the exit status. Messages for the user go to `errors` (one per line).
int RunExtract(const ExtractArguments& arguments, std::vector<std::string>& errors);

// Exit status and output of a whole command line.
int ExtractMain(const std::vector<std::string_view>& args);

}  // namespace tessaly::cli
