#include "attributed_lines.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "masked_value.h"
#include "short_bytes.h"

namespace tessaly::cli {

namespace {

// The longest digit line: 20 digits and a line feed.
constexpr std::size_t kLongestDigitLine = kMaxDigits + 1;
// Numbers composed in one stretch of the output's room.
constexpr std::size_t kGroup = 64;

// Copies n bytes as whole 16-byte words and returns the end of the n: up to 15 bytes past it
// are read and written too.
inline char* CopyWords(char* to, const char* from, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 16)
        std::memcpy(to + i, from + i, 16);
    return to + n;
}

}  // namespace

// Always inline: a field returned through memory would be read back, word by word, from
// stores still on their way.
[[gnu::always_inline]] inline AttributedLines::LineField AttributedLines::LineField::Of(
    std::size_t line) {
    if (line >= 100'000'000) {  // rare: written by the library
        char text[24] = {};
        char* end = std::to_chars(text, text + sizeof text - 1, line).ptr;
        *end++ = ':';
        LineField field;
        std::memcpy(&field.low, text, 8);
        std::memcpy(&field.middle, text + 8, 8);
        std::memcpy(&field.high, text + 16, 8);
        field.size = std::size_t(end - text);
        return field;
    }
    // Eight decimal digits, first digit in the lowest byte: the two halves of four digits in
    // 32-bit lanes, split into hundreds in 16-bit lanes, then into tens in bytes. Each step
    // divides by multiplying with a reciprocal exact over its range (x < 10000, y < 100).
    const std::uint64_t x = line / 10000 | std::uint64_t(line % 10000) << 32;
    const std::uint64_t hundreds = (x * 10486) >> 20 & 0x0000007F0000007Fu;
    const std::uint64_t y = hundreds | (x - hundreds * 100) << 16;
    const std::uint64_t tens = (y * 103) >> 10 & 0x000F000F000F000Fu;
    const std::uint64_t digits = tens | (y - tens * 10) << 8;
    // Leading zeros are the lowest bytes; a line is at least 1, so some byte is not zero.
    const unsigned zeros = unsigned(std::countr_zero(digits)) / 8;
    const std::size_t size = 8 - zeros;
    const std::uint64_t text = (digits + 0x3030303030303030u) >> (8 * zeros);
    return {size < 8 ? text | std::uint64_t{':'} << (8 * size) : text,
            size < 8 ? std::uint64_t{0} : std::uint64_t{':'}, 0, size + 1};
}

AttributedLines::AttributedLines(OutputFile& out, bool withPath, bool withLine,
                                 std::optional<std::string> mask)
    : EachNumber(withLine, false),
      out_(out),
      withPath_(withPath),
      withLine_(withLine),
      mask_(std::move(mask)) {}

void AttributedLines::enterFile(const std::string& path) {
    const std::string_view shown = path == "-" ? "(standard input)" : std::string_view(path);
    pathSize_ = withPath_ ? shown.size() + 1 : 0;
    path_.assign(pathSize_ + 16, '\0');
    if (withPath_) {
        std::memcpy(path_.data(), shown.data(), shown.size());
        path_[shown.size()] = ':';
    }
    fieldLine_ = 0;
    fileLines_ = 0;
}

char* AttributedLines::putPrefix(char* p, const LineField& field) const {
    p = CopyWords(p, path_.data(), pathSize_);
    std::memcpy(p, &field.low, 8);
    std::memcpy(p + 8, &field.middle, 8);
    std::memcpy(p + 16, &field.high, 8);
    return p + field.size;
}

void AttributedLines::write(std::size_t line, std::string_view value) {
    const std::string_view shown = mask_ ? MaskedValue(value, mask_, masked_) : value;
    if (withLine_ && line != fieldLine_) {
        lineField_ = LineField::Of(line);
        fieldLine_ = line;
    }
    // Composed right in the output's buffer.
    char* p = putPrefix(out_.room(lineRoom(shown.size())), lineField_);
    PutShort(p, shown);
    *p++ = '\n';
    out_.added(p);
    ++fileLines_;
    wrote_ = true;
}

void AttributedLines::putDigitLines(std::string_view lines,
                                    std::span<const std::size_t> lineNumbers) {
    DigitLineWalk walk(lines, 0);
    if (mask_) {  // each value is rewritten
        for (std::size_t i = 0; walk.at() < lines.size(); ++i)
            write(lineNumbers.empty() ? 0 : lineNumbers[i], walk.next());
        return;
    }
    const char* const end = lines.data() + lines.size();
    // Each group's line fields are made first, one per line that begins in it, and each number
    // then takes its field by index: a number's line differs from the one before it as often as
    // not, and a branch on that would be mispredicted about as often.
    LineField fields[kGroup + 1];
    std::size_t fieldLines[kGroup + 1];
    std::size_t fieldOf[kGroup];
    fields[0] = lineField_;
    fieldLines[0] = fieldLine_;
    std::size_t i = 0;
    while (walk.at() < lines.size()) {
        std::size_t made = 0;
        if (!lineNumbers.empty()) {
            const std::size_t count = std::min(kGroup, lineNumbers.size() - i);
            for (std::size_t k = 0; k < count; ++k) {
                const std::size_t line = lineNumbers[i + k];
                made += line != fieldLines[made];
                fieldLines[made] = line;
                fieldOf[k] = made;
            }
            for (std::size_t f = 1; f <= made; ++f)
                fields[f] = LineField::Of(fieldLines[f]);
        }
        char* p = out_.room(kGroup * lineRoom(kLongestDigitLine));
        for (std::size_t k = 0; k < kGroup && walk.at() < lines.size(); ++k, ++i) {
            const char* const from = lines.data() + walk.at();
            const std::size_t size = walk.next().size() + 1;  // the digits and their line feed
            p = putPrefix(p, fields[lineNumbers.empty() ? 0 : fieldOf[k]]);
            if (end - from >= 32) {
                std::memcpy(p, from, 32);
            } else {
                CopyShort(p, from, size);
            }
            p += size;
        }
        out_.added(p);
        fields[0] = fields[made];
        fieldLines[0] = fieldLines[made];
    }
    lineField_ = fields[0];
    fieldLine_ = fieldLines[0];
    fileLines_ += i;
    wrote_ = wrote_ || i > 0;
}

}  // namespace tessaly::cli
