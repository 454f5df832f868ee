#include "file_text_reader.h"

#include "file_source.h"
#include "text_encoding.h"

namespace tessaly {

namespace {

std::string ReadAllBytes(const std::string& path) {
    FileSource file(path);
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t n; (n = file.read(buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

// Lines of a text stream read line by line: breaks at CR LF, LF or CR; an empty text is one
// empty line, and a text ending in a break has no empty line after it.
Lines StreamLines(std::u16string_view text) {
    Lines lines;
    if (text.empty()) return {std::u16string()};
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t br = text.find_first_of(u"\r\n", start);
        if (br == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, br - start));
        start = br + (text[br] == u'\r' && br + 1 < text.size() && text[br + 1] == u'\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace

Lines SplitLines(std::u16string_view text) {
    Lines lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t br = text.find(u"\r\n", start);
        if (br == std::u16string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, br - start));
        start = br + 2;
    }
}

bool TextFileReader::IsUnicodeFile(const std::string& path) {
    utf8File_ = false;
    FileSource file(path);
    char head[4];
    const std::size_t n = file.readFully(head, sizeof head);
    const TextEncoding e = DetectEncoding(std::string_view(head, n)).encoding;
    utf8File_ = e == TextEncoding::Utf8;
    return IsUnicodeClass(e);
}

Lines TextFileReader::ReadTextLines(const std::string& path) {
    const std::string bytes = ReadAllBytes(path);
    const EncodingChoice choice = DetectEncoding(bytes);
    if (unicodeFile_ && IsUnicodeClass(choice.encoding)) {
        return StreamLines(
            DecodeWide(std::string_view(bytes).substr(choice.markLength), choice.encoding));
    }
    return StreamLines(DecodeWindows1252(bytes));
}

Lines TextFileReader::ReadUtf8Lines(const std::string& path) {
    const std::string bytes = ReadAllBytes(path);
    std::string_view text(bytes);
    if (DetectEncoding(text).encoding == TextEncoding::Utf8) text.remove_prefix(3);
    return SplitLines(DecodeUtf8(text));
}

Lines TextFileReader::ReadFileLines(const std::string& path) {
    unicodeFile_ = IsUnicodeFile(path);
    return utf8File_ ? ReadUtf8Lines(path) : ReadTextLines(path);
}

Lines ReadFileLines(const std::string& path) {
    return TextFileReader().ReadFileLines(path);
}

}  // namespace tessaly
