#pragma once
// Line counting as editors count lines: LF, CR LF and a lone CR each end one line. The scanner
// counts the breaks between the numbers it finds, so each number can be given its 1-based line.

#include <cstddef>

namespace tessaly {

// Line breaks in [p, stop): every LF, and every CR not directly followed by an LF. A CR at
// stop - 1 counts: the caller knows the byte after it is not an LF.
std::size_t CountLineBreaks(const char* p, const char* stop);

// Counts the lines of a text that arrives in pieces.
class LineCounter {
  public:
    // Line of the character at `at`, which is not an LF; the bytes of the piece before it,
    // from `from` (where the last count stopped), are counted on the way.
    std::size_t lineAt(const char* from, const char* at) {
        if (pendingCr_) {
            // The CR that ended the last piece ended its line unless an LF follows it (then
            // that LF is the break, counted below).
            line_ += from == at || *from != '\n';
            pendingCr_ = false;
        }
        line_ += CountLineBreaks(from, at);
        return line_;
    }
    // The rest of a piece, up to its end: a CR ending it waits for the next piece's first byte.
    void finishPiece(const char* from, const char* end) {
        if (from == end) return;
        if (pendingCr_) {
            line_ += *from != '\n';
            pendingCr_ = false;
        }
        pendingCr_ = end[-1] == '\r';
        line_ += CountLineBreaks(from, end - pendingCr_);
    }

  private:
    std::size_t line_ = 1;
    bool pendingCr_ = false;
};

}  // namespace tessaly
