#pragma once
// tessaly-extract's work: scan the files, write the numbers, report the files that failed.

#include <string_view>
#include <vector>

#include "command_line.h"
#include "layer_modules.h"
#include "run_report.h"

namespace tessaly::cli {

// Returns the exit status; failures are told to `report` as the output reaches them. The
// document readers and the number rules are loaded from `modules` when the run needs them.
int RunExtract(const ExtractArguments& arguments, LayerModules& modules, RunReport& report);

// Exit status and output of a whole command line, the modules loaded from `moduleFolder`.
int ExtractMain(const std::vector<std::string_view>& args, const std::string& moduleFolder);

}  // namespace tessaly::cli
