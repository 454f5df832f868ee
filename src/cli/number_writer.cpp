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

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
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
    // Composed right in the output's buffer. Digits, a kept "+" and the texts the byte scanner
    // keeps (number characters and spaces) never need escaping in JSON; a mask's characters
    // and decoded texts may.
    std::string& out = out_.lines();
    if (json) {
        out += "{\"path\":";
        out += pathField_;
        out += ",\"line\":";
        AppendNumber(out, line);
        out += ",\"number\":";
        if (arguments_.mask) {
            AppendJsonString(out, shown);
        } else {
            AppendQuoted(out, shown);
        }
        out += ",\"text\":";
        if constexpr (std::is_same_v<Text, std::string_view>) {
            AppendQuoted(out, text);
        } else {
            AppendJsonString(out, text);
        }
        out += "}\n";
    } else {
        // Room for the longest line first, then the parts copied in: one size check a line.
        const std::size_t at = out.size();
        out.resize(at + pathField_.size() + 22 + shown.size());
        char* p = out.data() + at;
        if (arguments_.withFilename) {
            CopyShort(p, pathField_.data(), pathField_.size());
            p += pathField_.size();
        }
        if (arguments_.rules.lineNumbers) {
            p = std::to_chars(p, p + 21, line).ptr;
            *p++ = ':';
        }
        CopyShort(p, shown.data(), shown.size());
        p += shown.size();
        *p++ = '\n';
        out.resize(std::size_t(p - out.data()));
    }
    out_.linesAdded();
}

void NumberWriter::finish() {
    if (!counted_) return;
    // Millions of lines at once: composed in a block of their own, handed to the output whole.
    constexpr std::size_t kBlock = 64 * 1024;
    constexpr std::size_t kCountRoom = 22;  // a tab, 20 digits, a line feed
    std::string block(kBlock + 256, '\0');
    char* p = block.data();
    const auto flush = [&] {
        out_.write(std::string_view(block.data(), std::size_t(p - block.data())));
        p = block.data();
    };
    counted_->finish().forEach([&](std::string_view value, std::uint64_t count) {
        if (value.size() + kCountRoom > 256) {
            flush();
            out_.write(value);
        } else {
            CopyShort(p, value.data(), value.size());
            p += value.size();
        }
        *p++ = '\t';
        p = std::to_chars(p, p + 20, count).ptr;
        *p++ = '\n';
        if (p >= block.data() + kBlock) flush();
    });
    flush();
}

}  // namespace tessaly::cli
