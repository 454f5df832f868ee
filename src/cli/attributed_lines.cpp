#include "attributed_lines.h"

#include <charconv>

#include "masked_value.h"
#include "short_bytes.h"

namespace tessaly::cli {

AttributedLines::AttributedLines(OutputFile& out, bool withPath, bool withLine,
                                 std::optional<std::string> mask)
    : EachNumber(withLine, false),
      out_(out),
      withPath_(withPath),
      withLine_(withLine),
      mask_(std::move(mask)) {}

void AttributedLines::enterFile(const std::string& path) {
    pathField_.assign(path == "-" ? "(standard input)" : path);
    pathField_.push_back(':');
    fileLines_ = 0;
}

void AttributedLines::write(std::size_t line, std::string_view value) {
    const std::string_view shown = MaskedValue(value, mask_, masked_);
    // Composed right in the output's buffer, in room for the longest line.
    char* p = out_.room(pathField_.size() + 22 + shown.size());
    if (withPath_) PutShort(p, pathField_);
    if (withLine_) {
        p = std::to_chars(p, p + 21, line).ptr;
        *p++ = ':';
    }
    PutShort(p, shown);
    *p++ = '\n';
    out_.added(p);
    ++fileLines_;
    wrote_ = true;
}

}  // namespace tessaly::cli
