#pragma once
// engine/scan, the scanner: bytes in, numbers out, knowing nothing of files or encodings.
// number_chars.h says which characters make a number; byte_skip.h passes a block of bytes that
// cannot change the scanner's state at once (the fastest variant the processor runs, chosen once);
// NumberStream (here) keeps a run of number characters across the pieces a text arrives in and
// hands each number whose digit count the ScanRules accept to its caller, with its line
// (line_breaks.h) when asked; WrittenNumberStream does the same on decoded text for the readings
// that need the characters as written (a kept "+", the Unicode separators, the number's text).
//
// NumberStream: the scanner's rule applied to a text that arrives in pieces of any size, with
// memory bounded whatever the input. It is fed ASCII-projected bytes: every byte below 0x80 is
// that ASCII character, every byte from 0x80 up stands for some character that is not a number
// character. 8-bit and UTF-8 files are fed as they are; wider encodings are projected first
// (AsciiProjector in text_encoding.h). Line breaks are ordinary non-number characters, so a file
// can be streamed without splitting it into lines and gives exactly the numbers its lines give.
//
// When the rules ask for line numbers, every number's line is appended to `lines`, one entry
// per number appended to `out`; when they ask for the written text, every number's text is
// appended to `texts` likewise.
//
// Only numbers whose digit count the rules accept are emitted (never fewer than kMinDigits or
// more than kMaxDigits digits: no length box accepts others).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "byte_skip.h"
#include "line_breaks.h"
#include "phone_number.h"
#include "scan_rules.h"

namespace tessaly {

// The text of each number as it stands in the text: from its first to its last number
// character, the spaces and punctuation between them included. Only number characters and
// spaces can stand there, so it is ASCII in every encoding. The texts stand one after another
// in `bytes`; number i's ends at ends[i].
struct NumberTexts {
    std::string bytes;
    std::vector<std::size_t> ends;

    std::string_view at(std::size_t i) const {
        const std::size_t from = i == 0 ? 0 : ends[i - 1];
        return std::string_view(bytes).substr(from, ends[i] - from);
    }
    void clear() {
        bytes.clear();
        ends.clear();
    }
};

// The kept numbers as the extractor's plain output has them: each number's digits and a line
// feed, one after another. The room grows as needed and is never cleared.
class DigitLines {
  public:
    DigitLines() = default;
    // A batch handed on is moved: the one left behind has no room at all.
    DigitLines(DigitLines&& other) noexcept
        : bytes_(std::move(other.bytes_)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    DigitLines& operator=(DigitLines&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }

    // Room for `size` more bytes at the end; `wrote` then says where the writing stopped.
    char* reserve(std::size_t size) {
        if (capacity_ - size_ < size) {
            const std::size_t capacity = std::max(size_ + size, 2 * capacity_);
            auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
            if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
            bytes_ = std::move(bytes);
            capacity_ = capacity;
        }
        return bytes_.get() + size_;
    }
    void wrote(const char* end) { size_ = std::size_t(end - bytes_.get()); }
    void append(std::string_view digits) {
        char* at = reserve(digits.size() + 1);
        std::memcpy(at, digits.data(), digits.size());
        at[digits.size()] = '\n';
        wrote(at + digits.size() + 1);
    }

    std::string_view view() const { return {bytes_.get(), size_}; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    void clear() { size_ = 0; }
    // Keeps the first `size` bytes only.
    void truncate(std::size_t size) { size_ = std::min(size, size_); }

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

class NumberStream {
  public:
    explicit NumberStream(const ScanRules& rules = {});

    // New rules. The lengths apply to every number still to be emitted; the required text
    // takes effect with the next number that starts, so a number already begun is judged by the
    // text it started under and never half by one value and half by another.
    void setRules(const ScanRules& rules);

    // `lines` may be null when the rules ask for no line numbers, `texts` when they ask for no
    // written text.
    void feed(const char* data, std::size_t size, std::vector<PhoneNumber>& out,
              std::vector<std::size_t>* lines = nullptr, NumberTexts* texts = nullptr);
    // End of the text: a number that ends it is closed like any other.
    void finish(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines = nullptr,
                NumberTexts* texts = nullptr);

    // The same numbers as feed and finish give, appended to `lines` as digit lines, and when the
    // rules ask for line numbers, each one's line to `lineNumbers`; without a required text or
    // written texts, the digits go there straight from the text.
    void feedLines(const char* data, std::size_t size, DigitLines& lines,
                   std::vector<std::size_t>* lineNumbers = nullptr);
    void finishLines(DigitLines& lines, std::vector<std::size_t>* lineNumbers = nullptr);

  private:
    struct Needle {
        bool active = false;
        bool impossible = false;            // holds a character that no number can contain
        std::string text;                   // ASCII number characters only
        std::vector<std::size_t> fallback;  // Knuth-Morris-Pratt failure function
    };
    static Needle MakeNeedle(const ScanRules& rules);

    // Line numbers and written texts must cost the plain scan nothing: the block walk and its
    // token steps are built twice, with them (kExtras) and without.
    template <bool kExtras>
    void startTokenAt(const char* at);
    void startToken(const char* at);
    // Closes the open number, whose bytes in this piece end before `stop` (null: the text
    // ended).
    template <bool kExtras>
    void closeTokenAt(const char* stop);
    void closeToken(const char* stop);
    void takeText(const char* stop);
    void flushFound(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines);
    void matchStep(char c);
    void feedTokens(const char* p, const char* end, std::vector<PhoneNumber>& out,
                    std::vector<std::size_t>* lines);
    const char* scanToken(const char* p, const char* end);
    const char* takeTokenSpan(const char* p, const char* end, bool needMatch);
    void feedBlocks(const char* p, const char* end, std::vector<PhoneNumber>& out,
                    std::vector<std::size_t>* lines);
    template <class Target>
    void feedDigitRuns(const char* p, const char* end, Target& target);
    void feedDigitRuns(const char* p, const char* end, std::vector<PhoneNumber>& out);
    template <bool kTexts, class Target>
    void feedDigitRunLines(const char* p, const char* end, Target& target);
    template <bool kTexts>
    void feedDigitRunLines(const char* p, const char* end, std::vector<PhoneNumber>& out,
                           std::vector<std::size_t>* lines);
    bool plainScan() const {
        return !hasPending_ && !needle_.active && !countLines_ && !keepTexts_;
    }
    void keepRunOpenAtEnd(const DigitRunCarry& carry, const char* p, const char* end);
    template <bool kExtras>
    void feedBlocksPopcnt(const char* p, const char* end, std::vector<PhoneNumber>& out,
                          std::vector<std::size_t>* lines);
    template <bool kExtras>
    void feedBlocksBody(const char* p, const char* end, std::vector<PhoneNumber>& out,
                        std::vector<std::size_t>* lines);

    // Whether a number of `digits` digits is emitted (matched_ aside).
    bool wanted(std::size_t digits) const {
        return digits <= kMaxDigits && ((acceptedLengths_ >> digits) & 1u);
    }

    std::uint32_t acceptedLengths_;
    Needle needle_;
    Needle pending_;
    bool hasPending_ = false;

    bool inToken_ = false;
    std::size_t digitCount_ = 0;
    // Digits kept; a number with more than kMaxDigits is never emitted, so later ones land in
    // the spare slots and are overwritten.
    char digits_[32 + kCopyDigitsSlack] = {};
    std::size_t matchState_ = 0;
    bool matched_ = false;

    // Numbers found and not yet handed out: every closed token is written here and only a kept
    // one advances the count, which spares the scanner a hard-to-predict branch per token.
    // The slots are plain bytes, left as they are when a stream is made for the next file.
    static constexpr std::size_t kFoundCapacity = 256;
    struct FoundSlot {
        char digits[kMaxDigits];
        std::size_t size;
    };
    FoundSlot found_[kFoundCapacity];
    std::size_t foundCount_ = 0;

    // Line numbers, only when the rules ask for them: the line of the open number. Block by
    // block scanning counts each block's line ends with its classes; scanning a token at a
    // time counts the bytes up to each number as it starts, from `lineFrom_` on (null while
    // blocks are scanned).
    bool countLines_ = false;
    LineCounter lineCounter_;
    const char* lineFrom_ = nullptr;
    std::size_t tokenLine_ = 0;
    std::size_t foundLines_[kFoundCapacity];

    // Written texts, only when the rules ask for them (and a place for them is given): where
    // the open number's bytes in this piece start, and its bytes from earlier pieces (while it
    // can still be kept).
    bool keepTexts_ = false;
    NumberTexts* texts_ = nullptr;
    const char* textFrom_ = nullptr;
    std::string openText_;

    std::vector<PhoneNumber> numbers_;  // for digit lines the plain scan cannot write itself
};

}  // namespace tessaly
