#include "written_number_stream.h"

#include <array>

#include "number_chars.h"
#include "separator_map.h"

namespace tessaly {

namespace {

// ASCII characters that never start a number and never end a line.
constexpr std::array<bool, 128> MakeSkippable() {
    std::array<bool, 128> table{};
    for (int c = 0; c < 128; ++c)
        table[c] = !IsNumberChar(char32_t(c)) && c != '\r' && c != '\n' && c != '+';
    return table;
}
constexpr std::array<bool, 128> kSkippable = MakeSkippable();

}  // namespace

bool WrittenNumberStream::skippable(char16_t unit) const {
    return unit < 0x80 ? kSkippable[unit] : !rules_.unicodeSeparators || !MapSeparator(unit);
}

WrittenNumberStream::WrittenNumberStream(const ScanRules& rules) : rules_(rules) {
    // The required text is looked for in the numbers as read, so it is read the same way.
    if (rules_.unicodeSeparators) {
        for (char16_t& unit : rules_.required.text) {
            if (const char c = MapSeparator(unit); c && c != ' ') unit = char16_t(c);
        }
    }
}

void WrittenNumberStream::take(char16_t unit, char c) {
    if (!inNumber_) {
        inNumber_ = true;
        tooLong_ = false;
        digits_ = 0;
        numberLine_ = line_;
        value_.clear();
        raw_.clear();
        text_.clear();
        if (plusBefore_) {
            value_.assign(1, '+');
            raw_.assign(1, u'+');
            text_ = plusText_;
        }
        plusBefore_ = false;
    }
    if (tooLong_) return;
    const bool digit = static_cast<unsigned char>(c - '0') < 10;
    digits_ += digit;
    if (digits_ > kMaxDigits) {  // can never be kept: hold nothing more of it
        tooLong_ = true;
        raw_.clear(), text_.clear(), blanks_.clear();
        return;
    }
    if (digit) value_.push_back(c);
    raw_.push_back(char16_t(c));
    if (rules_.writtenText) {
        text_ += blanks_;
        text_.push_back(unit);
    }
    blanks_.clear();
}

void WrittenNumberStream::close(std::vector<WrittenNumber>& out) {
    inNumber_ = false;
    blanks_.clear();
    if (tooLong_ || !rules_.acceptsDigitCount(digits_)) return;
    const RequiredText& required = rules_.required;
    if (required.active && raw_.find(required.text) == std::u16string::npos) return;
    out.push_back({value_, numberLine_, rules_.writtenText ? text_ : std::u16string()});
}

void WrittenNumberStream::feed(std::u16string_view text, std::vector<WrittenNumber>& out) {
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    while (p < end) {
        // Between numbers, with no "+" waiting, only line breaks and number characters matter.
        if (!inNumber_ && !plusBefore_) {
            const char16_t* const from = p;
            while (p < end && skippable(*p))
                ++p;
            if (p != from) afterCr_ = false;
            if (p == end) break;
        }
        const char16_t unit = *p++;
        char c = unit < 0x80 ? char(unit) : rules_.unicodeSeparators ? MapSeparator(unit) : 0;
        if (unit == u'\n' || unit == u'\r') {
            line_ += unit == u'\r' || !afterCr_;
            afterCr_ = unit == u'\r';
            c = '\n';
        } else {
            afterCr_ = false;
        }
        if (c == ' ') {  // blanks vanish before the walk: they neither end nor start a number
            if (inNumber_) {
                if (rules_.writtenText && !tooLong_) blanks_.push_back(unit);
            } else if (plusBefore_ && rules_.writtenText) {
                plusText_.push_back(unit);
            }
            continue;
        }
        if (IsNumberChar(static_cast<unsigned char>(c))) {
            take(unit, c);
            continue;
        }
        if (inNumber_) close(out);
        plusBefore_ = rules_.keepPlus && c == '+';
        if (plusBefore_) plusText_.assign(1, u'+');
    }
}

void WrittenNumberStream::finish(std::vector<WrittenNumber>& out) {
    if (inNumber_) close(out);
    plusBefore_ = false;
}

}  // namespace tessaly
