#include "json_string.h"

#include <algorithm>

#include "text_encoding.h"

namespace tessaly::cli {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

void AppendJsonString(std::string& out, std::u16string_view text) {
    static const char hex[] = "0123456789abcdef";
    out.push_back('"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp == u'"' || cp == u'\\') {
            out.push_back('\\');
            out.push_back(char(cp));
        } else if (cp < 0x20) {
            out += "\\u00";
            out.push_back(hex[cp >> 4]);
            out.push_back(hex[cp & 15]);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            const bool paired = cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                                text[i + 1] <= 0xDFFF;
            if (paired) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
            } else {
                cp = 0xFFFD;
            }
            AppendUtf8(out, cp);
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
