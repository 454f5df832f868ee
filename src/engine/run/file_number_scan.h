#pragma once
// FileNumberScan: one input file streamed through the scanner a piece at a time, so that a
// file of any size, even one gigantic line, is scanned in bounded memory. The numbers come out
// in the order ReadFileLines + ExtractPhone would give them (limited to the rules' lengths),
// with the line and the written text of each when the rules ask for them. With the Unicode
// separators the file is projected with them (AsciiProjector), and a file without a byte-order
// mark that is well-formed UTF-8 throughout is read as UTF-8 (text_start.h). A file the rules'
// DocumentReader makes a document is read as its text, UTF-8 (document_text.h).

#include <memory>
#include <string>
#include <vector>

#include "document_text.h"
#include "file_source.h"
#include "number_stream.h"
#include "text_encoding.h"

namespace tessaly {

class FileNumberScan {
  public:
    static constexpr std::size_t kDefaultChunkSize = 256 * 1024;

    // Opens the file and reads its mark; throws FileReadError.
    FileNumberScan(const std::string& path, const ScanRules& rules,
                   std::size_t chunkSize = kDefaultChunkSize);

    // Scans the next piece, appending its numbers to `out`. Returns false once the whole file
    // was scanned (the last numbers are appended by that call). When the rules ask for line
    // numbers, the line of each number appended to `out` is appended to `lines` (which may be
    // null otherwise); when they ask for the written text, its text to `texts` likewise.
    // Throws FileReadError.
    bool next(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines = nullptr,
              NumberTexts* texts = nullptr);

    // As NumberStream::setRules: from the next number that starts.
    void setRules(const ScanRules& rules) { stream_.setRules(rules); }
    TextEncoding encoding() const { return projector_.encoding(); }
    const FileStamp& stamp() const { return file_->stamp(); }

  private:
    void scan(const char* data, std::size_t size, std::vector<PhoneNumber>& out,
              std::vector<std::size_t>* lines, NumberTexts* texts);

    std::unique_ptr<FileSource> file_;
    std::unique_ptr<DocumentText> document_;  // the text of a document, UTF-8
    std::vector<char> buffer_;
    std::string text_;  // a piece of the document's text
    std::string projected_;
    std::string head_;        // bytes read to find the mark, not yet scanned
    bool headAlone_ = false;  // head_ holds the bytes read to tell a document, scanned apart
    AsciiProjector projector_{TextEncoding::EightBit};
    NumberStream stream_;
    bool done_ = false;
};

// Scans a whole file; throws FileReadError (numbers found before a failure stay in `out`).
void ScanFileNumbers(const std::string& path, const ScanRules& rules, std::vector<PhoneNumber>& out,
                     std::vector<std::size_t>* lines = nullptr);

}  // namespace tessaly
