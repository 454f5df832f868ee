#pragma once
// The command line of tessaly-extract, parsed into what the extraction needs. Parsing reads no
// file, so bad usage is refused before any work is done.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan_rules.h"

namespace tessaly::cli {

// How the numbers are written: one per line (LF), or exactly as the window saves them, the
// padded "Results" table or the comma-delimited lines (both CR LF).
enum class OutputFormat { kLines, kTable, kCsv };

struct ExtractArguments {
    ScanRules rules;  // lengths and required text
    bool unique = false;
    OutputFormat format = OutputFormat::kLines;
    unsigned jobs = 0;  // 0: one per core
    std::optional<std::string> output;
    // Files of a folder argument: only this extension ("*" for all); nothing: every file.
    std::optional<std::string> extension;
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
};

struct ParseOutcome {
    std::optional<ExtractArguments> arguments;
    std::string error;  // set when arguments is empty
};

ParseOutcome ParseExtractArguments(const std::vector<std::string_view>& args);

std::string UsageText();

}  // namespace tessaly::cli
