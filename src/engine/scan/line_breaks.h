#pragma once
// Line counting as editors count lines: LF, CR LF and a lone CR each end one line. The scanner
// counts the breaks between the numbers it finds, so each number can be given its 1-based line.
// A CR LF pair is counted at its CR (every CR counts, an LF only when no CR is right before
// it), so a text that arrives in pieces is counted without ever looking past a piece's end.

#include <cstddef>
#include <cstdint>

namespace tessaly {

// Line breaks in [p, stop): every CR, and every LF not right after a CR; `afterCr` says the
// byte before p was a CR.
std::size_t CountLineBreaks(const char* p, const char* stop, bool afterCr);

// One bit per byte of a 64-byte block: its CRs and its LFs (bits past `end` clear).
struct BreakMasks {
    std::uint64_t cr;
    std::uint64_t lf;
};
// Classifies min(64, end - p) bytes from p (at least one).
BreakMasks ClassifyBreaks(const char* p, const char* end);

// The bytes of a block that end a line; `afterCr` says the byte before the block was a CR.
inline std::uint64_t LineEnds(const BreakMasks& m, bool afterCr) {
    return m.cr | (m.lf & ~((m.cr << 1) | std::uint64_t{afterCr}));
}

// Counts the lines of a text that arrives in pieces, a stretch of bytes at a time.
class LineCounter {
  public:
    // Line of the character at `at`, the bytes from `from` up to it counted on the way.
    std::size_t lineAt(const char* from, const char* at) {
        pass(from, at);
        return line_;
    }
    // Counts the breaks of [from, to).
    void pass(const char* from, const char* to) {
        if (from == to) return;
        line_ += CountLineBreaks(from, to, afterCr_);
        afterCr_ = to[-1] == '\r';
    }
    // For a caller that counts whole blocks itself (LineEnds): the line where the next byte
    // stands, whether a CR is right before it, and the step past a block.
    std::size_t line() const { return line_; }
    bool afterCr() const { return afterCr_; }
    void passBlock(std::size_t breaks, bool endsWithCr) {
        line_ += breaks;
        afterCr_ = endsWithCr;
    }

  private:
    std::size_t line_ = 1;
    bool afterCr_ = false;
};

}  // namespace tessaly
