#include "json_string.h"

#include <algorithm>

#include "text_encoding.h"

namespace tessaly::cli {

void AppendJsonString(std::string& out, std::u16string_view text) {
    static const char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t cp = ReadCodePoint(text, i);
        if (cp == U'"' || cp == U'\\') {
            out.push_back('\\');
            out.push_back(char(cp));
        } else if (cp < 0x20) {
            out += "\\u00";
            out.push_back(hex[cp >> 4]);
            out.push_back(hex[cp & 15]);
        } else {
            AppendUtf8(out, cp);
        }
    }
    out.push_back('"');
}

void AppendJsonString(std::string& out, std::string_view bytes) {
    // Printable ASCII without quotes or backslashes, the common case, stands as it is.
    const bool plain = std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (plain) {
        out.push_back('"');
        out.append(bytes);
        out.push_back('"');
        return;
    }
    AppendJsonString(out, std::u16string_view(DecodeUtf8(bytes)));
}

}  // namespace tessaly::cli
