#include "number_writer.h"

#include <algorithm>
#include <charconv>

#include "json_string.h"

namespace tessaly::cli {

namespace {

void AppendNumber(std::string& out, std::size_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

}  // namespace

std::string_view MaskedValue(std::string_view value, const std::optional<std::string>& mask,
                             std::string& scratch) {
    if (!mask) return value;
    const std::string_view digits = value.substr(value.starts_with('+') ? 1 : 0);
    if (std::size_t(std::count(mask->begin(), mask->end(), 'x')) != digits.size()) return value;
    scratch.clear();
    std::size_t next = 0;
    for (char c : *mask)
        scratch.push_back(c == 'x' ? digits[next++] : c);
    return scratch;
}

NumberWriter::NumberWriter(const ExtractArguments& arguments, OutputFile& out)
    : arguments_(arguments), out_(out) {}

void NumberWriter::write(const std::string& path, std::size_t line, std::string_view value,
                         std::u16string_view text) {
    const std::string_view shown = MaskedValue(value, arguments_.mask, masked_);
    if (arguments_.count) {
        written_.count(shown);
        return;
    }
    if (arguments_.unique && !written_.add(shown)) return;
    const bool json = arguments_.format == OutputFormat::kJsonl;
    if (&path != shownPath_) {
        shownPath_ = &path;
        const std::string_view name = path == "-" ? "(standard input)" : std::string_view(path);
        pathField_.clear();
        if (json) {
            AppendJsonString(pathField_, name);
        } else {
            pathField_.append(name);
            pathField_.push_back(':');
        }
    }
    line_.clear();
    if (json) {
        line_ += "{\"path\":";
        line_ += pathField_;
        line_ += ",\"line\":";
        AppendNumber(line_, line);
        line_ += ",\"number\":";
        AppendJsonString(line_, shown);
        line_ += ",\"text\":";
        AppendJsonString(line_, text);
        line_ += '}';
    } else {
        if (arguments_.withFilename) line_ += pathField_;
        if (arguments_.rules.lineNumbers) {
            AppendNumber(line_, line);
            line_ += ':';
        }
        line_ += shown;
    }
    out_.writeLine(line_);
}

void NumberWriter::finish() {
    if (!arguments_.count) return;
    written_.forEach([&](std::string_view value, std::uint64_t count) {
        line_ = value;
        line_ += '\t';
        AppendNumber(line_, count);
        out_.writeLine(line_);
    });
}

}  // namespace tessaly::cli
