// Any first line, any number: the line read back marks a spelling of the number, and the first
// whole run written with its digits whenever the line has one.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "number_chars.h"
#include "number_spellings.h"
#include "source_line.h"

using namespace tessaly;

namespace {

std::string DigitsOf(std::u16string_view text) {
    std::string digits;
    for (const char16_t c : text)
        if (ClassOf(c) == CharClass::Digit) digits += char(c);
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte: a "+" or not, and how many digits the number has; then its digits.
    if (size < 1) return 0;
    const std::size_t count = 5 + (data[0] >> 1) % 12;
    if (size < 1 + count) return 0;
    std::string number = data[0] & 1 ? "+" : "";
    for (std::size_t i = 1; i <= count; ++i)
        number += char('0' + data[i] % 10);
    static const std::string path =
        "/tmp/tessaly-fuzz-source-line-" + std::to_string(::getpid()) + ".txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1 + count), std::streamsize(size - 1 - count));

    const SourceLine s = ReadSourceLine({path, *StampOf(path)}, 1, number);
    if (s.state != SourceLine::State::Shown && s.state != SourceLine::State::NotOnLine)
        std::abort();
    if (s.numberStart > s.numberEnd || s.numberEnd > s.text.size()) std::abort();
    if (s.cutBefore || s.cutAfter) return 0;

    // The first whole run (blanks inside) written with the number's digits, "+" before it kept.
    const std::u16string_view text = s.text;
    const std::string digits = number.substr(number.starts_with('+'));
    std::size_t wholeStart = 0, wholeEnd = 0;
    for (std::size_t i = 0; i < text.size() && wholeEnd == 0;) {
        if (!IsNumberChar(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        for (std::size_t j = i; j < text.size() && ClassOf(text[j]) != CharClass::Other; ++j)
            if (IsNumberChar(text[j])) end = j + 1;
        if (DigitsOf(text.substr(i, end - i)) == digits) {
            std::size_t before = i;
            while (before > 0 && text[before - 1] == u' ')
                --before;
            wholeStart =
                number[0] == '+' && before > 0 && text[before - 1] == u'+' ? before - 1 : i;
            wholeEnd = end;
        }
        i = end;
    }
    if (wholeEnd != 0) {
        if (s.state != SourceLine::State::Shown || s.numberStart != wholeStart ||
            s.numberEnd != wholeEnd) {
            std::abort();
        }
    } else if (s.state == SourceLine::State::Shown) {
        const std::u16string_view marked = text.substr(s.numberStart, s.numberEnd - s.numberStart);
        if (NumberSpellings(number).match(DigitsOf(marked)) == NumberSpellings::Match::None)
            std::abort();
    }
    return 0;
}
