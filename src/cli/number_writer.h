#pragma once
// NumberWriter: how tessaly-extract writes each number it found in the lines and jsonl formats:
// the value (digits, a kept "+", or the digits written into --mask), the path and line in front
// when asked, --unique on the value written, or --count's table of each value and how often it
// was found, written at the end.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "command_line.h"
#include "output_file.h"

namespace tessaly::cli {

// The value written for a number: `value` ("+" and digits, or digits) in the mask when the
// mask has as many x as the number has digits (the "+" is not written then), else as it is.
std::string_view MaskedValue(std::string_view value, const std::optional<std::string>& mask,
                             std::string& scratch);

class NumberWriter {
  public:
    NumberWriter(const ExtractArguments& arguments, OutputFile& out);

    // One number found in `path` (as shown: "-" is standard input) on `line`; `text` is its
    // written form (jsonl only).
    void write(const std::string& path, std::size_t line, std::string_view value,
               std::u16string_view text);
    // Writes what waits for the end (--count's table).
    void finish();

  private:
    const ExtractArguments& arguments_;
    OutputFile& out_;
    std::string line_;
    std::string masked_;
    // The path of the last number, and its form in front of a line.
    std::optional<std::string> shownPath_;
    std::string pathField_;
    // Looked up by view, so a value already seen costs no copy.
    struct Hash : std::hash<std::string_view> {
        using is_transparent = void;
    };
    std::unordered_set<std::string, Hash, std::equal_to<>> seen_;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> counts_;
    std::vector<const std::string*> firstSeen_;  // keys of counts_, which never move
};

}  // namespace tessaly::cli
