#include "json_lines.h"

#include <charconv>

#include "json_string.h"
#include "masked_value.h"
#include "short_bytes.h"

namespace tessaly::cli {

JsonLines::JsonLines(OutputFile& out, std::optional<std::string> mask)
    : EachNumber(true, true), out_(out), mask_(std::move(mask)) {}

void JsonLines::enterFile(const std::string& path) {
    pathField_.clear();
    AppendJsonString(pathField_, path == "-" ? "(standard input)" : std::string_view(path));
    fileLines_ = 0;
    enterPlace({});
}

void JsonLines::enterPlace(std::string_view where) {
    if (where == where_) return;
    where_ = where;
    whereMember_.clear();
    if (where.empty()) return;
    whereMember_ = ",\"where\":";
    AppendJsonString(whereMember_, where);
}

void JsonLines::put(std::size_t line, std::string_view value, std::string_view text) {
    // Digits, a kept "+" and the texts the byte scanner keeps (number characters and spaces)
    // never need escaping in JSON: such a line is composed right in the output's buffer. A
    // mask's characters may need it.
    if (mask_) return compose(line, value, text);
    char* p = out_.room(pathField_.size() + value.size() + text.size() + whereMember_.size() + 64);
    PutShort(p, "{\"path\":");
    PutShort(p, pathField_);
    PutShort(p, ",\"line\":");
    p = std::to_chars(p, p + 21, line).ptr;
    PutShort(p, ",\"number\":\"");
    PutShort(p, value);
    PutShort(p, "\",\"text\":\"");
    PutShort(p, text);
    PutShort(p, "\"");
    PutShort(p, whereMember_);
    PutShort(p, "}\n");
    out_.added(p);
    ++fileLines_;
    wrote_ = true;
}

void JsonLines::put(std::size_t line, std::string_view value, std::u16string_view text,
                    std::string_view members) {
    compose(line, value, text, members);
}

template <class Text>
void JsonLines::compose(std::size_t line, std::string_view value, const Text& text,
                        std::string_view members) {
    const std::string_view shown = MaskedValue(value, mask_, masked_);
    std::string& out = line_;
    out.assign("{\"path\":");
    out += pathField_;
    out += ",\"line\":";
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, line).ptr);
    out += ",\"number\":";
    if (mask_) {
        AppendJsonString(out, shown);
    } else {
        out += '"';
        out += shown;
        out += '"';
    }
    out += ",\"text\":";
    AppendJsonString(out, text);
    out += whereMember_;
    out += members;
    out += "}\n";
    out_.write(out);
    ++fileLines_;
    wrote_ = true;
}

}  // namespace tessaly::cli
