#pragma once
// Block-at-a-time helpers of the scanner: they classify 16 bytes at once, so runs of bytes that
// cannot change the scanner's state are passed over quickly. The fastest code the processor
// supports is chosen once, at run time; every variant gives the same answers.

#include <cstddef>
#include <cstdint>

#include "line_breaks.h"
#include "phone_number.h"

namespace tessaly {

// First byte in [p, end) that is a number character, or `end`.
const char* FindNumberChar(const char* p, const char* end);
// First byte in [p, end) that is neither a number character nor a space, or `end`.
const char* FindTokenEnd(const char* p, const char* end);

// The part of a number that starts at p: where it stops (as FindTokenEnd) and how many digits
// it holds up to there.
struct TokenSpan {
    const char* stop;
    std::size_t digits;
};
TokenSpan MeasureTokenSpan(const char* p, const char* end);

// One bit per byte of a 64-byte block: number characters, spaces, digits. Bits of bytes past
// the block's valid length are clear.
struct BlockMasks {
    std::uint64_t number;
    std::uint64_t space;
    std::uint64_t digit;
};
// Classifies min(64, end - p) bytes from p (at least one).
BlockMasks ClassifyBlock(const char* p, const char* end);
// The same, and the block's CRs and LFs in `breaks`, from the same reading of its bytes: for a
// scan that counts lines.
BlockMasks ClassifyBlockAndBreaks(const char* p, const char* end, BreakMasks& breaks);

// Bytes CopyDigits may write past the last digit it copies.
inline constexpr std::size_t kCopyDigitsSlack = 16;
// Copies the digits of [p, stop) to `out`, in order; `out` must have room for their count plus
// kCopyDigitsSlack. Bytes up to `end` (at or after stop) may be read, never written. Returns the
// count.
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out);

// The run of number characters and spaces left open where a walk over digit runs stopped: its
// first digit (null when none is open) and its digits so far.
struct DigitRunCarry {
    const char* from = nullptr;
    std::size_t digits = 0;
    // Walks that count lines: the open run's line, the line at the walk's position and whether
    // a CR is right before it.
    std::size_t fromLine = 0;
    std::size_t line = 1;
    bool afterCr = false;
    // Walks that give texts: where the bytes walked over begin (no text starts before it).
    const char* textFloor = nullptr;
};
// A kept number's text in the walked bytes: from its run's first number character to its last.
struct TextSpan {
    const char* from;
    const char* to;
};
// Room in the output a walk needs free to take one more block: every run a block can close
// (a digit count may be at most kMaxDigits), and the copy's slack.
inline constexpr std::size_t kDigitRunBlockRoom = 256;
// The plain scan, 64 bytes at a time from p: for each run of number characters and spaces that
// holds a digit and ends before `end`, when its digit count n has bit n set in `lengths`, writes
// its digits and a '\n' at `out` and moves `out` past them. Runs without a digit are passed over.
// `carry` is a run still open at p (it goes on there) and, on return, the one open where the walk
// stopped. Stops at `end`, or at a block's start when fewer than kDigitRunBlockRoom bytes are
// left before `outEnd`; returns where it stopped. Bytes up to `end` are read, never past it.
const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd);
// The same, and the line of each number written at `lineOut`, one per digit line, moving it
// on; it must have room for one per kDigitRunLineBytes bytes of room in `out`. When `textOut`
// is given, each number's text goes there likewise (bytes from carry.textFloor may be read).
inline constexpr std::size_t kDigitRunLineBytes = kMinDigits + 1;
const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut);

}  // namespace tessaly
