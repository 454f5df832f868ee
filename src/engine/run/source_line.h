#pragma once
// ReadSourceLine: the line a number was found in, read back from its file now, decoded as the
// run decoded it, with the number's written form marked. A file that is no longer the file the
// run read (gone, or another length, time or inode) is not read: its line might no longer be
// the one the number was found in. The number is found as it stands written, also when the
// result holds it as +E.164 or as a part of a run that blanks cut (number_spellings.h). The
// file is streamed, so a line of any length, far down a file of any size, is read in bounded
// memory; a long line is cut around the number. A document is read as the run read it, as its
// text: its line is a line of that text, and the number found says where in the document it
// stands.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "found_numbers.h"

namespace tessaly {

class DocumentReader;

// A line longer than this many characters is shown around its number.
inline constexpr std::size_t kLongLine = 4000;

struct SourceLine {
    enum class State {
        Shown,      // text holds the line (or its part around the number)
        NotOnLine,  // the line is shown, but the number was not found on it
        Gone,       // the file is no longer there
        Changed,    // the file changed since the run
        Unreadable  // the file could not be read: failure says why
    };
    State state = State::Shown;
    std::u16string text;
    // The number as written (first to last number character) within text; empty: not found.
    std::size_t numberStart = 0;
    std::size_t numberEnd = 0;
    bool cutBefore = false;  // text begins inside the line
    bool cutAfter = false;   // the line goes on after text
    // Where in its document the number stands ("page 3", "sheet Sales, cell B7"); empty for
    // plain text.
    std::string where;
    std::string failure;
};

// Line `line` (1-based; lines end at LF, CR LF or a lone CR) of `file`, with `number` (a
// result's digits, or "+" and its +E.164 digits) marked.
// May run on a thread of its own; once `stop` is set it ends soon, its answer Unreadable. A file
// that `documents` makes a document is read as its text (none: every file is read as text).
SourceLine ReadSourceLine(const SourceFile& file, std::uint64_t line, std::string_view number,
                          const std::atomic<bool>* stop = nullptr,
                          const DocumentReader* documents = nullptr);

// The folder that holds the file at `path`: everything before its last "/" ("/" for a file
// at the top); empty for a name without a folder.
std::string ContainingFolder(const std::string& path);

}  // namespace tessaly
