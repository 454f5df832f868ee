#include "terminal_safe_text.h"

namespace tessaly::cli {

namespace {

// The length of the valid UTF-8 sequence at the start of `s` that is no C1 control character,
// 0 when there is none.
std::size_t PrintableSequence(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    if (lead == 0xC2 && byte(1) < 0xA0) return 0;   // C1 controls
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogates
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // beyond U+10FFFF
    return length;
}

}  // namespace

std::string TerminalSafeText(std::string_view text) {
    static constexpr char kNamed[] = "\a\b\t\n\v\f\r";
    static constexpr char kLetters[] = "abtnvfr";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const std::size_t n = PrintableSequence(text.substr(i))) {
                out.append(text.substr(i, n));
                i += n;
                continue;
            }
        } else if (c >= 0x20 && c != 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        out.push_back('\\');
        if (c == '\\') {
            out.push_back('\\');
        } else if (const char* named =
                       c != 0 ? std::char_traits<char>::find(kNamed, 7, char(c)) : nullptr) {
            out.push_back(kLetters[named - kNamed]);
        } else {
            out.push_back(static_cast<char>('0' + (c >> 6)));
            out.push_back(static_cast<char>('0' + ((c >> 3) & 7)));
            out.push_back(static_cast<char>('0' + (c & 7)));
        }
        ++i;
    }
    return out;
}

}  // namespace tessaly::cli
