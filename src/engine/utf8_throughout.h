#pragma once
// Telling whether a file without a byte-order mark is UTF-8: the reading of the Unicode
// separators takes such a file as UTF-8 only when it is well-formed from its first byte to its
// last, which needs the whole file before its first number.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "file_source.h"

namespace tessaly {

// Reads `file` through once and tells whether it is well-formed UTF-8; `head` holds the bytes
// already read from it, `buffer` is room to read into. Afterwards `file` reads again from its
// first byte: a source that cannot go back (a pipe) is replaced by a temporary copy of what it
// gave, which disappears with it. Throws FileReadError.
bool ReadsAsUtf8Throughout(std::unique_ptr<FileSource>& file, std::string_view head,
                           std::vector<char>& buffer, const std::string& path);

}  // namespace tessaly
