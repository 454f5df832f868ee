#pragma once
// The command line's number options (--country, --valid, --e164, --split-blanks): which the
// parser takes, and what they make of the scan's rules once every option is read.

#include <string>
#include <string_view>

namespace tessaly::cli {

struct ExtractArguments;

bool IsNumberFlag(std::string_view name);
bool IsNumberValueOption(std::string_view name);
// Sets the option `name` (with its value, for --country); an error text when it is refused.
std::string SetNumberOption(std::string_view name, std::string_view value, ExtractArguments& a);
// After every option: what they cannot mean together, else the scan's rules set for the
// number stage (empty when they fit).
std::string FinishNumberOptions(ExtractArguments& a);

}  // namespace tessaly::cli
