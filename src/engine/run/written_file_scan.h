#pragma once
// WrittenFileScan: one input file decoded and read by WrittenNumberStream a piece at a time,
// for the rules the byte scanner does not apply (ScanRules::readsWritten). The encoding is
// told by the byte-order mark as always; with the Unicode separators, a file without a mark
// that is well-formed UTF-8 throughout is read as UTF-8 (otherwise as 8-bit text). Telling
// that needs the whole file before its first number: a pipe is first copied to a temporary
// file that disappears with the scan. A document is read as its text, its numbers with their
// places when the rules ask for them.

#include <memory>
#include <string>
#include <vector>

#include "document_text.h"
#include "file_source.h"
#include "text_decoder.h"
#include "written_number_stream.h"

namespace tessaly {

class WrittenFileScan {
  public:
    static constexpr std::size_t kDefaultChunkSize = 256 * 1024;

    // Opens the file and chooses its encoding; throws FileReadError.
    WrittenFileScan(const std::string& path, const ScanRules& rules,
                    std::size_t chunkSize = kDefaultChunkSize);

    // As FileNumberScan::next. Throws FileReadError.
    bool next(std::vector<WrittenNumber>& out);

    TextEncoding encoding() const { return decoder_.encoding(); }
    const FileStamp& stamp() const { return file_->stamp(); }

  private:
    std::unique_ptr<FileSource> file_;
    std::unique_ptr<DocumentText> document_;  // the text of a document, UTF-8
    std::vector<char> buffer_;
    std::string piece_;  // a piece of the document's text
    TextPlaces places_;  // the places marked in it, when the rules ask for them
    std::string head_;   // bytes read to find the mark, not yet decoded
    std::u16string text_;
    TextDecoder decoder_{TextEncoding::EightBit};
    WrittenNumberStream stream_;
    bool done_ = false;
};

}  // namespace tessaly
