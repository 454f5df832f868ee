#pragma once
// The command line of tessaly-extract, parsed into what the extraction needs. Parsing reads no
// file, so bad usage is refused before any work is done.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number_rules.h"
#include "scan_rules.h"

namespace tessaly::cli {

class LayerModules;

// How the numbers are written: one per line (LF), or exactly as the window saves them, the
// padded "Results" table or the comma-delimited lines (both CR LF), or one JSON object a line
// with where each number was found and how it was written.
enum class OutputFormat { kLines, kTable, kCsv, kJsonl };

struct ExtractArguments {
    ScanRules rules;  // lengths, required text, lines, plus, separators, written text
    bool unique = false;
    bool withFilename = false;  // -H: each line starts with the path
    bool count = false;         // each distinct value once, with how often it was found
    // Digits written into this mask, one per "x", when their count matches.
    std::optional<std::string> mask;
    // Paths read from this file ("-": standard input), one a line or NUL-separated.
    std::optional<std::string> filesFrom;
    bool nullSeparated = false;
    bool readBinary = false;  // --binary: files that are not text are read as 8-bit text
    OutputFormat format = OutputFormat::kLines;
    unsigned jobs = 0;  // 0: one per core
    std::optional<std::string> output;
    // Files of a folder argument: only those of these extensions ("*" for all); none: every file.
    std::vector<std::string> extensions;
    std::vector<std::string> files;  // "-" is standard input
    // --country, --valid, --e164, --split-blanks: the number stage after the scan.
    numbers::NumberRules numbers;
    bool help = false;
    bool version = false;
};

struct ParseOutcome {
    std::optional<ExtractArguments> arguments;
    std::string error;  // set when arguments is empty
};

// `modules`: where the number rules that check --country are loaded from.
ParseOutcome ParseExtractArguments(const std::vector<std::string_view>& args,
                                   LayerModules& modules);

std::string UsageText();

}  // namespace tessaly::cli
