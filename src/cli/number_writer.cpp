#include "number_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <type_traits>

#include "json_string.h"
#include "short_copy.h"

namespace tessaly::cli {

namespace {

void AppendNumber(std::string& out, std::size_t n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

// Copies `text` to p and moves p past it.
void Put(char*& p, std::string_view text) {
    CopyShort(p, text.data(), text.size());
    p += text.size();
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
    : arguments_(arguments), out_(out) {
    if (arguments_.count) counted_.emplace();
}

void NumberWriter::enterFile(const std::string& path) {
    const std::string_view name = path == "-" ? "(standard input)" : std::string_view(path);
    pathField_.clear();
    if (arguments_.format == OutputFormat::kJsonl) {
        AppendJsonString(pathField_, name);
    } else {
        pathField_.append(name);
        pathField_.push_back(':');
    }
}

void NumberWriter::write(std::size_t line, std::string_view value, std::u16string_view text) {
    compose(line, value, text);
}

void NumberWriter::write(std::size_t line, std::string_view value, std::string_view text) {
    compose(line, value, text);
}

template <class Text>
void NumberWriter::compose(std::size_t line, std::string_view value, const Text& text) {
    const std::string_view shown = MaskedValue(value, arguments_.mask, masked_);
    if (counted_) {
        counted_->count(shown);
        return;
    }
    if (arguments_.unique && !written_.add(shown)) return;
    const bool json = arguments_.format == OutputFormat::kJsonl;
    // Digits, a kept "+" and the texts the byte scanner keeps (number characters and spaces)
    // never need escaping in JSON: such a line is composed right in the output's buffer. A
    // mask's characters and decoded texts may need it.
    if constexpr (std::is_same_v<Text, std::string_view>) {
        if (json && !arguments_.mask) {
            char* p = out_.room(pathField_.size() + shown.size() + text.size() + 64);
            Put(p, "{\"path\":");
            Put(p, pathField_);
            Put(p, ",\"line\":");
            p = std::to_chars(p, p + 21, line).ptr;
            Put(p, ",\"number\":\"");
            Put(p, shown);
            Put(p, "\",\"text\":\"");
            Put(p, text);
            Put(p, "\"}\n");
            out_.added(p);
            return;
        }
    }
    if (json) {
        std::string& out = jsonLine_;
        out.assign("{\"path\":");
        out += pathField_;
        out += ",\"line\":";
        AppendNumber(out, line);
        out += ",\"number\":";
        if (arguments_.mask) {
            AppendJsonString(out, shown);
        } else {
            out += '"';
            out += shown;
            out += '"';
        }
        out += ",\"text\":";
        AppendJsonString(out, text);
        out += "}\n";
        out_.write(out);
        return;
    }
    // Composed right in the output's buffer, in room for the longest line.
    char* p = out_.room(pathField_.size() + 22 + shown.size());
    if (arguments_.withFilename) Put(p, pathField_);
    if (arguments_.rules.lineNumbers) {
        p = std::to_chars(p, p + 21, line).ptr;
        *p++ = ':';
    }
    Put(p, shown);
    *p++ = '\n';
    out_.added(p);
}

void NumberWriter::finish() {
    if (!counted_) return;
    counted_->finish().forEach([&](std::string_view value, std::uint64_t count) {
        char* p = out_.room(value.size() + 22);  // a tab, 20 digits, a line feed
        Put(p, value);
        *p++ = '\t';
        p = std::to_chars(p, p + 20, count).ptr;
        *p++ = '\n';
        out_.added(p);
    });
}

}  // namespace tessaly::cli
