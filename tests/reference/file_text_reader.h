#pragma once
// The file text reader: one input file in, its decoded lines out. The encoding is chosen from
// the file's byte-order mark (text_encoding.h); UTF-8 files with a mark are split at CR LF only,
// all others at CR LF, LF or CR. The result always has at least one line.
//
// This reads a whole file into memory and is the reference of what a file holds; the
// extraction run streams files through FileNumberScan instead, with the same numbers.

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

using Lines = std::vector<std::u16string>;

// Splits at every CR LF (exactly); lone CR and LF stay inside their line. At least one line.
Lines SplitLines(std::u16string_view text);

// One file read with the state its procedures share: whether the last tested file was of the
// Unicode class, and whether it began with the UTF-8 mark.
class TextFileReader {
  public:
    Lines ReadFileLines(const std::string& path);
    bool IsUnicodeFile(const std::string& path);
    Lines ReadTextLines(const std::string& path);
    Lines ReadUtf8Lines(const std::string& path);

    bool unicodeFile() const { return unicodeFile_; }
    bool utf8File() const { return utf8File_; }

  private:
    bool unicodeFile_ = false;
    bool utf8File_ = false;
};

// Reads one file into lines; throws FileReadError when it cannot be read.
Lines ReadFileLines(const std::string& path);

}  // namespace tessaly
