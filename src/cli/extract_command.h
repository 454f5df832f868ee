#pragma once
// tessaly-extract's work: scan the files, write the numbers, report the files that failed.

#include <string_view>
#include <vector>

#include "command_line.h"
#include "run_report.h"

namespace tessaly::cli {

// Returns the exit status; failures are told to `report` as the output reaches them.
int RunExtract(const ExtractArguments& arguments, RunReport& report);

// Exit status and output of a whole command line.
int ExtractMain(const std::vector<std::string_view>& args);

}  // namespace tessaly::cli
