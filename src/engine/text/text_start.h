#pragma once
// The encoding a file's text is read in, for both file scans: the byte-order mark's, and with
// the Unicode separators, UTF-8 for a file without a mark that is well-formed UTF-8 from its
// first byte to its last, which needs the whole file before its first number.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "file_source.h"
#include "text_encoding.h"

namespace tessaly {

// Reads the start of `file` for its byte-order mark and returns the encoding its text is read
// in: the mark's, except that with the Unicode separators (`separators`) a file without a mark
// is read as UTF-8 when it is well-formed UTF-8 from its first byte to its last. `head` is set
// to the bytes after the mark already read and not yet scanned; `buffer` is room to read into.
// Telling UTF-8 reads the file through once: afterwards `file` reads again from its first byte,
// and a source that cannot go back (a pipe) is replaced by a temporary copy of what it gave,
// which disappears with it. `started` holds the file's first bytes when they were read already
// (DocumentReader::kHeadSize of them, or the whole file), so they are not read twice. Throws
// FileReadError.
TextEncoding StartText(std::unique_ptr<FileSource>& file, std::string& head,
                       std::vector<char>& buffer, const std::string& path, bool separators,
                       std::string_view started = {});

// The same for a caller that has read the file's first bytes itself: `start` holds them (at
// least four, unless the file is shorter) and is left holding those after the mark, or set to a
// null view when the file was read through and reads again from its first byte. `buffer` may
// hold `start`. `asciiThroughout`, when given, is set to whether the file was read through and
// held no byte of 0x80 or more (then its text has no separator to read as another character).
TextEncoding StartText(std::unique_ptr<FileSource>& file, std::string_view& start,
                       std::span<char> buffer, const std::string& path, bool separators,
                       bool* asciiThroughout = nullptr);

}  // namespace tessaly
