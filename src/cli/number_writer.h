#pragma once
// NumberWriter: how tessaly-extract writes each number it found in the lines and jsonl formats:
// the value (digits, a kept "+", or the digits written into --mask), the path and line in front
// when asked, --unique on the value written, or --count's table of each value and how often it
// was found, written at the end.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "command_line.h"
#include "counting_thread.h"
#include "distinct_values.h"
#include "output_file.h"

namespace tessaly::cli {

// The value written for a number: `value` ("+" and digits, or digits) in the mask when the
// mask has as many x as the number has digits (the "+" is not written then), else as it is.
std::string_view MaskedValue(std::string_view value, const std::optional<std::string>& mask,
                             std::string& scratch);

class NumberWriter {
  public:
    NumberWriter(const ExtractArguments& arguments, OutputFile& out);

    // The numbers that follow were found in `path` ("-" is standard input).
    void enterFile(const std::string& path);
    // One number found on `line`; `text` is its written form (jsonl only), decoded or, as the
    // byte scanner keeps it, ASCII.
    void write(std::size_t line, std::string_view value, std::u16string_view text);
    void write(std::size_t line, std::string_view value, std::string_view text);
    // Writes what waits for the end (--count's table).
    void finish();

  private:
    template <class Text>
    void compose(std::size_t line, std::string_view value, const Text& text);

    const ExtractArguments& arguments_;
    OutputFile& out_;
    std::string masked_;
    std::string pathField_;  // the file's path as it stands in front of a line
    std::string jsonLine_;
    DistinctValues written_;                 // --unique
    std::optional<CountingThread> counted_;  // --count
};

}  // namespace tessaly::cli
