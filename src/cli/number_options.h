#pragma once
// The command line's number options (--country, --valid, --e164, --split-blanks): which the
// parser takes, and what they make of the scan's rules once every option is read.

#include <string>
#include <string_view>

namespace tessaly::cli {

struct ExtractArguments;
class LayerModules;

bool IsNumberFlag(std::string_view name);
bool IsNumberValueOption(std::string_view name);
// Sets the option `name` (with its value, for --country); an error text when it is refused.
// The country is checked by the number rules of `modules`; when they cannot be loaded, the run
// says so as it starts.
std::string SetNumberOption(std::string_view name, std::string_view value, ExtractArguments& a,
                            LayerModules& modules);
// After every option: what they cannot mean together, else the scan's rules set for the
// number stage (empty when they fit).
std::string FinishNumberOptions(ExtractArguments& a);

}  // namespace tessaly::cli
