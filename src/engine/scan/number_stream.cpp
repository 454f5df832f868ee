#include "number_stream.h"

#include <bit>
#include <cstring>

#include "byte_skip.h"
#include "number_chars.h"
#include "separator_map.h"

namespace tessaly {

NumberStream::NumberStream(const ScanRules& rules)
    : acceptedLengths_(rules.lengths & kEveryLength),
      needle_(MakeNeedle(rules)),
      countLines_(rules.lineNumbers),
      keepTexts_(rules.writtenText) {}

NumberStream::Needle NumberStream::MakeNeedle(const ScanRules& rules) {
    const RequiredText& required = rules.required;
    Needle n;
    n.active = required.active && !required.text.empty();  // the empty text is in every token
    if (!n.active) return n;
    for (char16_t unit : required.text) {
        // The numbers are read with the separators as their ASCII characters; so is the text.
        if (rules.unicodeSeparators && unit >= 0x80) {
            if (const char c = MapSeparator(unit); c && c != ' ') unit = char16_t(c);
        }
        // A token holds number characters only (its spaces are gone), so a text with any other
        // character can never be found in one.
        if (!IsNumberChar(unit)) {
            n.impossible = true;
            return n;
        }
        n.text.push_back(static_cast<char>(unit));
    }
    n.fallback.assign(n.text.size(), 0);
    for (std::size_t i = 1, k = 0; i < n.text.size(); ++i) {
        while (k > 0 && n.text[i] != n.text[k])
            k = n.fallback[k - 1];
        if (n.text[i] == n.text[k]) ++k;
        n.fallback[i] = k;
    }
    return n;
}

void NumberStream::setRules(const ScanRules& rules) {
    acceptedLengths_ = rules.lengths & kEveryLength;
    countLines_ = rules.lineNumbers;
    keepTexts_ = rules.writtenText;
    if (inToken_) {
        pending_ = MakeNeedle(rules);
        hasPending_ = true;
    } else {
        needle_ = MakeNeedle(rules);
        hasPending_ = false;
    }
}

template <bool kExtras>
void NumberStream::startTokenAt(const char* at) {
    if (hasPending_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
    inToken_ = true;
    digitCount_ = 0;
    matchState_ = 0;
    matched_ = !needle_.active;
    if constexpr (kExtras) {
        textFrom_ = at;
        if (countLines_ && lineFrom_) {
            tokenLine_ = lineCounter_.lineAt(lineFrom_, at);
            lineFrom_ = at;
        }
    }
}

void NumberStream::startToken(const char* at) {
    startTokenAt<true>(at);
}

void NumberStream::matchStep(char c) {
    const std::string& t = needle_.text;
    while (matchState_ > 0 && c != t[matchState_])
        matchState_ = needle_.fallback[matchState_ - 1];
    if (c == t[matchState_]) ++matchState_;
    if (matchState_ == t.size()) matched_ = true;
}

template <bool kExtras>
void NumberStream::closeTokenAt(const char* stop) {
    inToken_ = false;
    std::memcpy(found_[foundCount_].digits, digits_, kMaxDigits);
    found_[foundCount_].size = digitCount_;
    foundLines_[foundCount_] = tokenLine_;
    const bool kept = matched_ & wanted(digitCount_);
    foundCount_ += kept;
    if constexpr (kExtras) {
        if (texts_) {
            if (kept) takeText(stop);
            openText_.clear();
        }
    }
}

void NumberStream::closeToken(const char* stop) {
    closeTokenAt<true>(stop);
}

// The text of the number that closes: its bytes from earlier pieces, then those of this one,
// without the spaces after its last number character.
void NumberStream::takeText(const char* stop) {
    std::string& bytes = texts_->bytes;
    const std::size_t from = bytes.size();
    bytes += openText_;
    if (stop) bytes.append(textFrom_, stop);
    while (bytes.size() > from && bytes.back() == ' ')
        bytes.pop_back();
    texts_->ends.push_back(bytes.size());
}

void NumberStream::flushFound(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines) {
    for (std::size_t i = 0; i < foundCount_; ++i)
        out.push_back(PhoneNumber::FromBuffer(found_[i].digits, found_[i].size));
    if (countLines_ && lines) lines->insert(lines->end(), foundLines_, foundLines_ + foundCount_);
    foundCount_ = 0;
}

// Walks one token from p; returns where scanning goes on (past the byte that ended the token,
// or `end` when the token is still open).
const char* NumberStream::scanToken(const char* p, const char* end) {
    const bool needMatch = needle_.active && !needle_.impossible;
    // Too many digits and nothing left to learn from the required text: only the end of the
    // token matters.
    const char* stop = (digitCount_ > kMaxDigits && (matched_ || !needMatch))
                           ? FindTokenEnd(p, end)
                           : takeTokenSpan(p, end, needMatch);
    if (stop == end) return end;
    closeToken(stop);
    return stop + 1;
}

// Takes in the number characters of [p, first byte that ends the token); returns that byte,
// or `end`.
const char* NumberStream::takeTokenSpan(const char* p, const char* end, bool needMatch) {
    if (needMatch && !matched_) {
        const char* const stop = FindTokenEnd(p, end);
        for (; p < stop; ++p) {
            const char c = *p;
            if (c == ' ') continue;
            matchStep(c);
            if (static_cast<unsigned char>(c - '0') < 10) {
                if (digitCount_ < kMaxDigits) digits_[digitCount_] = c;
                ++digitCount_;
            }
        }
        return stop;
    }
    // Count first; the digits themselves are needed only when the number can still be kept.
    const TokenSpan span = MeasureTokenSpan(p, end);
    const std::size_t total = digitCount_ + span.digits;
    const bool closes = span.stop != end;
    if (total <= kMaxDigits && (!closes || wanted(total))) {
        CopyDigits(p, span.stop, end, digits_ + digitCount_);
    }
    digitCount_ = total;
    return span.stop;
}

void NumberStream::feed(const char* data, std::size_t size, std::vector<PhoneNumber>& out,
                        std::vector<std::size_t>* lines, NumberTexts* texts) {
    const char* p = data;
    const char* const end = data + size;
    texts_ = keepTexts_ ? texts : nullptr;
    textFrom_ = data;
    if (hasPending_ && !inToken_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
    // Without a required text to look for, whole blocks are read at once.
    if (!hasPending_ && (!needle_.active || needle_.impossible)) {
        feedBlocks(p, end, out, lines);
    } else {
        // The line breaks before each number are counted as the number starts.
        lineFrom_ = data;
        feedTokens(p, end, out, lines);
        if (countLines_) lineCounter_.pass(lineFrom_, end);
        lineFrom_ = nullptr;
    }
    // A number still open keeps its bytes for the next piece, while it can be kept.
    if (texts_ && inToken_ && digitCount_ <= kMaxDigits) openText_.append(textFrom_, end);
    texts_ = nullptr;
}

void NumberStream::feedTokens(const char* p, const char* end, std::vector<PhoneNumber>& out,
                              std::vector<std::size_t>* lines) {
    while (p < end) {
        if (!inToken_) {
            p = FindNumberChar(p, end);
            if (p == end) break;
            startToken(p);
        }
        if (foundCount_ == kFoundCapacity) flushFound(out, lines);
        p = scanToken(p, end);
    }
    flushFound(out, lines);
}

// The scanner's rule on 64 bytes at a time, with one bit per byte. "Inside" bits (number
// characters and spaces) form runs; a number is the part of a run from its first number
// character on, and it ends where the run ends. The parts are found for the whole block at
// once by spreading each number character's bit forward to the end of its run.
template <bool kExtras>
[[gnu::always_inline]] inline void NumberStream::feedBlocksBody(const char* p, const char* end,
                                                                std::vector<PhoneNumber>& out,
                                                                std::vector<std::size_t>* lines) {
    const char* const callStart = p;
    // Digits of a number begun in an earlier piece are already in digits_; its bytes in this
    // piece start at callStart.
    const std::size_t storedDigits = inToken_ ? digitCount_ : 0;
    const char* tokenStart = nullptr;  // where the open number starts, when it starts here
    const char* block = p;
    std::uint64_t lineEnds = 0;  // of the block, when lines are counted

    auto open = [&](const char* at) {
        startTokenAt<kExtras>(at);
        tokenStart = at;
        if (kExtras && countLines_) {
            const std::uint64_t before = (std::uint64_t{1} << (at - block)) - 1;
            tokenLine_ = lineCounter_.line() + unsigned(std::popcount(lineEnds & before));
        }
    };
    auto close = [&](const char* stop) {
        if (wanted(digitCount_)) {
            if (tokenStart) {
                CopyDigits(tokenStart, stop, end, digits_);
            } else {
                CopyDigits(callStart, stop, end, digits_ + storedDigits);
            }
        }
        if (foundCount_ == kFoundCapacity) flushFound(out, lines);
        closeTokenAt<kExtras>(stop);
        tokenStart = nullptr;
    };

    for (; block < end; block += 64) {
        const std::size_t valid = end - block < 64 ? std::size_t(end - block) : 64;
        const std::uint64_t validBits =
            valid == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << valid) - 1;
        BlockMasks m;
        if (kExtras && countLines_) {
            BreakMasks breaks;
            m = ClassifyBlockAndBreaks(block, end, breaks);
            lineEnds = LineEnds(breaks, lineCounter_.afterCr());
        } else {
            m = ClassifyBlock(block, end);
        }
        // Bytes past the piece count as inside: a number reaching the end of the piece goes on.
        const std::uint64_t inside = m.number | m.space | ~validBits;
        std::uint64_t fill = m.number;
        if (inToken_) fill |= inside & ~(inside + 1);  // the run at bit 0 continues the open number
        std::uint64_t reach = inside;
        fill |= (fill << 1) & reach, reach &= reach << 1;
        fill |= (fill << 2) & reach, reach &= reach << 2;
        fill |= (fill << 4) & reach, reach &= reach << 4;
        fill |= (fill << 8) & reach, reach &= reach << 8;
        fill |= (fill << 16) & reach, reach &= reach << 16;
        fill |= (fill << 32) & reach;
        // Last byte of each number that ends inside the block (one ending at bit 63 goes on).
        const std::uint64_t ends = fill & ~(fill >> 1) & ~(std::uint64_t{1} << 63);
        const std::uint64_t starts = fill & ~(fill << 1);

        if (inToken_ && !(fill & 1)) close(block);  // the open number ended with the last block
        unsigned pos = 0;
        for (;;) {
            const std::uint64_t from = ~std::uint64_t{0} << pos;
            if (!inToken_) {
                const std::uint64_t next = starts & from;
                if (!next) break;
                pos = unsigned(std::countr_zero(next));
                open(block + pos);
            }
            const std::uint64_t here = ends & (~std::uint64_t{0} << pos);
            if (!here) {  // the number goes on past this block
                digitCount_ += unsigned(std::popcount(m.digit & (~std::uint64_t{0} << pos)));
                break;
            }
            const unsigned last = unsigned(std::countr_zero(here));
            const std::uint64_t span =
                (~std::uint64_t{0} << pos) & ((std::uint64_t{2} << last) - 1);
            digitCount_ += unsigned(std::popcount(m.digit & span));
            close(block + last + 1);
            pos = last + 1;
        }
        if (kExtras && countLines_) {
            lineCounter_.passBlock(unsigned(std::popcount(lineEnds)), block[valid - 1] == '\r');
        }
    }
    // A number still open keeps its digits for the next piece (only while it can be kept).
    if (inToken_ && digitCount_ <= kMaxDigits) {
        if (tokenStart) {
            CopyDigits(tokenStart, end, end, digits_);
        } else {
            CopyDigits(callStart, end, end, digits_ + storedDigits);
        }
    }
    flushFound(out, lines);
}

// The plain scan (no line numbers, no written texts, no required text): only the runs that hold
// a digit are visited, by the block walk of byte_skip.h, which writes the kept digits a line
// each into room the target gives (target.reserve, target.wrote). A number begun in an earlier
// piece is closed first.
template <class Target>
void NumberStream::feedDigitRuns(const char* p, const char* end, Target& target) {
    if (inToken_) {
        const char* stop = takeTokenSpan(p, end, false);
        if (stop == end) return;
        closeTokenAt<false>(stop);
        if (foundCount_ > 0) {
            char* at = target.reserve(kMaxDigits + 1);
            std::memcpy(at, found_[0].digits, found_[0].size);
            at[found_[0].size] = '\n';
            target.wrote(at + found_[0].size + 1);
            foundCount_ = 0;
        }
        p = stop;
    }
    // Room for a walk's step, the copies' slack, and reading a whole number from a line's start.
    constexpr std::size_t kRoom = 8 * 1024;
    DigitRunCarry carry;
    for (const char* at = p; at < end;) {
        char* const room = target.reserve(kRoom + 2 * kMaxDigits);
        char* written = room;
        at = WalkDigitRuns(at, end, acceptedLengths_, carry, written, room + kRoom);
        target.wrote(written);
    }
    keepRunOpenAtEnd(carry, p, end);
}

// Into numbers: the lines are written to a buffer on the stack and read back as numbers.
void NumberStream::feedDigitRuns(const char* p, const char* end, std::vector<PhoneNumber>& out) {
    struct Numbers {
        explicit Numbers(std::vector<PhoneNumber>& numbers) : out(numbers) {}
        std::vector<PhoneNumber>& out;
        char lines[8 * 1024 + 2 * kMaxDigits];  // left as it is: only what was written is read
        char* reserve(std::size_t) { return lines; }
        void wrote(const char* written) {
            for (const char* line = lines; line < written;) {
                const char* const lineEnd =
                    static_cast<const char*>(std::memchr(line, '\n', kMaxDigits + 1));
                out.push_back(PhoneNumber::FromBuffer(line, std::size_t(lineEnd - line)));
                line = lineEnd + 1;
            }
        }
    } numbers(out);
    feedDigitRuns(p, end, numbers);
}

// The plain scan with each number's line: the walk counts the line breaks of every block it
// reads and gives each kept number's line beside its digits, which go to room the target gives
// (target.reserve, and target.wrote with the lines of the numbers written). With kTexts, each
// kept number's written text goes to the texts too.
template <bool kTexts, class Target>
void NumberStream::feedDigitRunLines(const char* p, const char* end, Target& target) {
    constexpr std::size_t kRoom = 8 * 1024;
    constexpr std::size_t kNumbers = kRoom / kDigitRunLineBytes + 1;
    std::size_t found[kNumbers];
    TextSpan spans[kTexts ? kNumbers : 1];
    if (inToken_) {
        const char* stop = takeTokenSpan(p, end, false);
        lineCounter_.pass(p, stop);  // inside a number: no break, but no CR before what follows
        if (stop == end) return;
        closeTokenAt<kTexts>(stop);
        if (foundCount_ > 0) {
            char* at = target.reserve(kMaxDigits + 1);
            std::memcpy(at, found_[0].digits, found_[0].size);
            at[found_[0].size] = '\n';
            found[0] = foundLines_[0];
            target.wrote(at + found_[0].size + 1, found, found + 1);
            foundCount_ = 0;
        }
        p = stop;
    }
    DigitRunCarry carry;
    carry.line = lineCounter_.line();
    carry.afterCr = lineCounter_.afterCr();
    carry.textFloor = p;
    for (const char* at = p; at < end;) {
        char* const room = target.reserve(kRoom + 2 * kMaxDigits);
        char* written = room;
        std::size_t* line = found;
        TextSpan* text = spans;
        at = WalkDigitRunLines(at, end, acceptedLengths_, carry, written, room + kRoom, line,
                               kTexts ? &text : nullptr);
        target.wrote(written, found, line);
        for (const TextSpan* t = spans; kTexts && t < text; ++t) {
            texts_->bytes.append(t->from, t->to);
            texts_->ends.push_back(texts_->bytes.size());
        }
    }
    lineCounter_.passBlock(carry.line - lineCounter_.line(), carry.afterCr);
    keepRunOpenAtEnd(carry, p, end);
    tokenLine_ = carry.from ? carry.fromLine : lineCounter_.line();
}

// Into numbers: the lines are written to a buffer on the stack and read back as numbers.
template <bool kTexts>
void NumberStream::feedDigitRunLines(const char* p, const char* end, std::vector<PhoneNumber>& out,
                                     std::vector<std::size_t>* lines) {
    struct Numbers {
        Numbers(std::vector<PhoneNumber>& numbers, std::vector<std::size_t>* numberLines)
            : out(numbers), lines(numberLines) {}
        std::vector<PhoneNumber>& out;
        std::vector<std::size_t>* lines;
        char digits[8 * 1024 + 2 * kMaxDigits];  // left as it is: only what was written is read
        char* reserve(std::size_t) { return digits; }
        void wrote(const char* written, const std::size_t* from, const std::size_t* to) {
            for (const char* number = digits; number < written;) {
                const char* const numberEnd =
                    static_cast<const char*>(std::memchr(number, '\n', kMaxDigits + 1));
                out.push_back(PhoneNumber::FromBuffer(number, std::size_t(numberEnd - number)));
                number = numberEnd + 1;
            }
            if (lines) lines->insert(lines->end(), from, to);
        }
    } numbers(out, lines);
    flushFound(out, lines);
    feedDigitRunLines<kTexts>(p, end, numbers);
}

void NumberStream::feedLines(const char* data, std::size_t size, DigitLines& lines,
                             std::vector<std::size_t>* lineNumbers) {
    if (hasPending_ && !inToken_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
    if (plainScan()) return feedDigitRuns(data, data + size, lines);
    if (!hasPending_ && !needle_.active && !keepTexts_ && lineNumbers) {
        struct LinesAndNumbers {
            DigitLines& digits;
            std::vector<std::size_t>& lines;
            char* reserve(std::size_t size) { return digits.reserve(size); }
            void wrote(const char* written, const std::size_t* from, const std::size_t* to) {
                digits.wrote(written);
                lines.insert(lines.end(), from, to);
            }
        } target{lines, *lineNumbers};
        return feedDigitRunLines<false>(data, data + size, target);
    }
    numbers_.clear();
    feed(data, size, numbers_, lineNumbers);
    for (const PhoneNumber& n : numbers_)
        lines.append(n.view());
}

void NumberStream::finishLines(DigitLines& lines, std::vector<std::size_t>* lineNumbers) {
    numbers_.clear();
    finish(numbers_, lineNumbers);
    for (const PhoneNumber& n : numbers_)
        lines.append(n.view());
}

// A run still open at the end of the piece goes on in the next one as the open number: with its
// digits kept while it can still be kept, or without a digit yet, so that new rules wait for the
// next number to start, as they do on every other path. Its text starts at its first number
// character.
void NumberStream::keepRunOpenAtEnd(const DigitRunCarry& carry, const char* p, const char* end) {
    const char* runStart = carry.from ? carry.from : end;
    while (runStart > p && kByteClass[static_cast<unsigned char>(runStart[-1])] != CharClass::Other)
        --runStart;
    const char* const first = FindNumberChar(runStart, end);
    if (first == end) return;
    startTokenAt<false>(first);
    textFrom_ = first;
    if (carry.from) {
        digitCount_ = carry.digits;
        if (digitCount_ <= kMaxDigits) CopyDigits(carry.from, end, end, digits_);
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, where counting a block's bits is one instruction.
template <bool kExtras>
__attribute__((target("popcnt"))) void NumberStream::feedBlocksPopcnt(
    const char* p, const char* end, std::vector<PhoneNumber>& out,
    std::vector<std::size_t>* lines) {
    feedBlocksBody<kExtras>(p, end, out, lines);
}

void NumberStream::feedBlocks(const char* p, const char* end, std::vector<PhoneNumber>& out,
                              std::vector<std::size_t>* lines) {
    static const bool hasPopcnt = __builtin_cpu_supports("popcnt");
    const bool extras = countLines_ || texts_;
    if (!extras && !needle_.active) return feedDigitRuns(p, end, out);
    if (!texts_ && !needle_.active) return feedDigitRunLines<false>(p, end, out, lines);
    if (countLines_ && !needle_.active) return feedDigitRunLines<true>(p, end, out, lines);
    if (hasPopcnt) {
        extras ? feedBlocksPopcnt<true>(p, end, out, lines)
               : feedBlocksPopcnt<false>(p, end, out, lines);
    } else {
        extras ? feedBlocksBody<true>(p, end, out, lines)
               : feedBlocksBody<false>(p, end, out, lines);
    }
}
#else
template <bool kExtras>
void NumberStream::feedBlocksPopcnt(const char* p, const char* end, std::vector<PhoneNumber>& out,
                                    std::vector<std::size_t>* lines) {
    feedBlocksBody<kExtras>(p, end, out, lines);
}

void NumberStream::feedBlocks(const char* p, const char* end, std::vector<PhoneNumber>& out,
                              std::vector<std::size_t>* lines) {
    if (!countLines_ && !texts_ && !needle_.active) {
        feedDigitRuns(p, end, out);
    } else if (!texts_ && !needle_.active) {
        feedDigitRunLines<false>(p, end, out, lines);
    } else if (countLines_ && !needle_.active) {
        feedDigitRunLines<true>(p, end, out, lines);
    } else if (countLines_ || texts_) {
        feedBlocksBody<true>(p, end, out, lines);
    } else {
        feedBlocksBody<false>(p, end, out, lines);
    }
}
#endif

void NumberStream::finish(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines,
                          NumberTexts* texts) {
    texts_ = keepTexts_ ? texts : nullptr;
    if (inToken_) closeToken(nullptr);
    texts_ = nullptr;
    flushFound(out, lines);
    if (hasPending_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
}

}  // namespace tessaly
