#include "written_number_stream.h"

#include <algorithm>
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

bool IsLineBreak(char16_t unit) {
    return unit == u'\n' || unit == u'\r';
}

// The last `count` units of `text` after its last line break.
std::u16string_view LineTail(std::u16string_view text, std::size_t count) {
    if (text.size() > count) text.remove_prefix(text.size() - count);
    for (std::size_t i = text.size(); i > 0; --i) {
        if (IsLineBreak(text[i - 1])) return text.substr(i);
    }
    return text;
}

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
        if (rules_.numberContext) {
            before_ = contextBefore(at_);
            // A kept "+" is part of the text, not of what stands before it.
            if (plusBefore_)
                before_.resize(before_.size() - std::min(before_.size(), plusText_.size()));
        }
        plusBefore_ = false;
    }
    if (tooLong_) return;
    const bool digit = static_cast<unsigned char>(c - '0') < 10;
    digits_ += digit;
    if (digits_ > (rules_.longRuns ? kLongRunDigits : kMaxDigits)) {
        // can never be kept: hold nothing more of it
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
    std::u16string blanks;
    blanks.swap(blanks_);
    if (tooLong_) return;
    if (rules_.longRuns ? digits_ < kMinDigits : !rules_.acceptsDigitCount(digits_)) return;
    const RequiredText& required = rules_.required;
    if (required.active && raw_.find(required.text) == std::u16string::npos) return;
    WrittenNumber number;
    number.value = value_;
    number.line = numberLine_;
    number.where = place_;
    if (rules_.writtenText) number.text = text_;
    if (!rules_.numberContext) {
        out.push_back(std::move(number));
        return;
    }
    number.before = before_;
    // What stands after the number: the blanks after its last number character, then the unit
    // that ended it and what follows.
    number.after = blanks.substr(0, kContextUnits);
    bool done = at_ == nullptr || number.after.size() == kContextUnits;
    for (const char16_t* p = at_; !done && p < piece_.data() + piece_.size(); ++p) {
        done = IsLineBreak(*p);
        if (!done) number.after.push_back(*p);
        done = done || number.after.size() == kContextUnits;
    }
    waiting_.push_back(std::move(number));
    afterDone_.push_back(done);
    release(out, false);
}

std::u16string WrittenNumberStream::contextBefore(const char16_t* at) const {
    const std::u16string_view inPiece =
        LineTail(piece_.substr(0, at - piece_.data()), kContextUnits);
    if (inPiece.size() == kContextUnits || inPiece.data() != piece_.data())
        return std::u16string(inPiece);  // full, or a line break in this piece
    std::u16string before(LineTail(history_, kContextUnits - inPiece.size()));
    before += inPiece;
    return before;
}

void WrittenNumberStream::extendAfter(std::u16string_view text) {
    for (std::size_t i = 0; i < waiting_.size(); ++i) {
        if (afterDone_[i]) continue;
        std::u16string& after = waiting_[i].after;
        for (std::size_t k = 0; k < text.size() && !afterDone_[i]; ++k) {
            afterDone_[i] = IsLineBreak(text[k]);
            if (!afterDone_[i]) after.push_back(text[k]);
            if (after.size() == kContextUnits) afterDone_[i] = true;
        }
    }
}

void WrittenNumberStream::release(std::vector<WrittenNumber>& out, bool all) {
    std::size_t ready = 0;
    while (ready < waiting_.size() && (all || afterDone_[ready]))
        out.push_back(std::move(waiting_[ready++]));
    waiting_.erase(waiting_.begin(), waiting_.begin() + ready);
    afterDone_.erase(afterDone_.begin(), afterDone_.begin() + ready);
}

void WrittenNumberStream::feed(std::u16string_view text, std::vector<WrittenNumber>& out) {
    if (rules_.numberContext) {
        piece_ = text;
        extendAfter(text);
        release(out, false);
    }
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
        at_ = p;
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
                if ((rules_.writtenText || rules_.numberContext) && !tooLong_)
                    blanks_.push_back(unit);
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
    if (rules_.numberContext) {
        // A piece that holds a whole context's worth, or a line break, replaces what came before.
        const std::u16string_view tail = LineTail(text, kContextUnits);
        if (tail.size() < text.size()) history_.clear();
        history_ = LineTail(history_ + std::u16string(tail), kContextUnits);
    }
}

void WrittenNumberStream::finish(std::vector<WrittenNumber>& out) {
    at_ = nullptr;
    if (inNumber_) close(out);
    release(out, true);
    plusBefore_ = false;
}

}  // namespace tessaly
