#pragma once
// DigitLineWalk: the numbers of a piece's digit lines (DigitLines: each number's digits and a
// line feed), one after another. The line feeds of 64 bytes are found at once and marked in one
// word, so where a number starts never waits for the previous number's length to be read: the
// window's run takes millions of numbers of every length this way.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaly {

class DigitLineWalk {
  public:
    // From byte `at` of `lines`, where a number starts.
    DigitLineWalk(std::string_view lines, std::size_t at)
        : lines_(lines), block_(at), feeds_(feedsFrom(at)), next_(at) {}

    // The next number's digits; nothing once no line feed is left.
    std::string_view next() {
        while (feeds_ == 0) {
            if (block_ + kBlock >= lines_.size()) {
                next_ = lines_.size();
                return lines_.substr(next_);
            }
            block_ += kBlock;
            feeds_ = feedsFrom(block_);
        }
        const std::size_t end = block_ + std::size_t(std::countr_zero(feeds_));
        feeds_ &= feeds_ - 1;
        const std::string_view digits(lines_.data() + next_, end - next_);
        next_ = end + 1;
        return digits;
    }
    // Where the next number starts.
    std::size_t at() const { return next_; }

  private:
    static constexpr std::size_t kBlock = 64;

    // Bit i set: byte from + i is a line feed.
    std::uint64_t feedsFrom(std::size_t from) const {
#if defined(__SSE2__)
        if (from + kBlock <= lines_.size()) {
            // Sixteen bytes compared at once, every processor of the kind has it.
            const __m128i feed = _mm_set1_epi8('\n');
            const auto marks = [&](std::size_t part) {
                const __m128i bytes = _mm_loadu_si128(
                    reinterpret_cast<const __m128i*>(lines_.data() + from + 16 * part));
                return std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, feed))))
                       << (16 * part);
            };
            return marks(0) | marks(1) | marks(2) | marks(3);
        }
#endif
        if (std::endian::native == std::endian::little && from + kBlock <= lines_.size()) {
            // A byte equal to the line feed is a zero byte of the word XOR line feeds, whose high
            // bit alone is then set; the multiplication gathers the eight high bits in order.
            constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7Fu, kFeeds = 0x0A0A0A0A0A0A0A0Au;
            constexpr std::uint64_t kGather = 0x0102040810204080u;
            const auto marks = [&](std::size_t word) {
                std::uint64_t bytes;
                std::memcpy(&bytes, lines_.data() + from + 8 * word, 8);
                bytes ^= kFeeds;
                const std::uint64_t zeros = ~(((bytes & kLows) + kLows) | bytes | kLows);
                return (zeros >> 7) * kGather >> 56 << (8 * word);
            };
            // Spelt out, so that each shift is a constant and no word waits for another.
            return marks(0) | marks(1) | marks(2) | marks(3) | marks(4) | marks(5) | marks(6) |
                   marks(7);
        }
        std::uint64_t feeds = 0;
        for (std::size_t i = 0; i < kBlock && from + i < lines_.size(); ++i)
            feeds |= std::uint64_t(lines_[from + i] == '\n') << i;
        return feeds;
    }

    std::string_view lines_;
    std::size_t block_;    // where the marked block starts
    std::uint64_t feeds_;  // its line feeds not yet passed
    std::size_t next_;
};

}  // namespace tessaly
