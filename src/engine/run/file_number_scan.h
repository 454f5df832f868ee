#pragma once
// FileNumberScan: one input file streamed through the scanner a piece at a time, so that a
// file of any size, even one gigantic line, is scanned in bounded memory. The numbers come out
// in the order ReadFileLines + ExtractPhone would give them (limited to the rules' lengths),
// with the line and the written text of each when the rules ask for them. With the Unicode
// separators the file is projected with them (AsciiProjector), and a file without a byte-order
// mark that is well-formed UTF-8 throughout is read as UTF-8: a named file is told so at its
// first piece that is not all ASCII, standard input before its first number (text_start.h). A
// file the rules' DocumentReader makes a document is read as its text, UTF-8
// (document_text.h), and when the rules ask for places, each of its numbers carries where in the
// document it stands.
//
// A small file costs four system calls (open, its status, one read, close): the first read
// also gives the mark, and a read that stops short at the length the file had when opened is
// its end. Scans one after another can share a ReadBuffer, so a file of a few bytes neither
// allocates nor clears a buffer of its own.
//
// A big file is read through a memory mapping after its first piece (MappedWindow), which
// spares copying its bytes; should it become shorter while it is mapped, the numbers of the
// piece being scanned are taken back and the scan fails with the reason, as a failed read does.

#include <memory>
#include <string>
#include <vector>

#include "document_text.h"
#include "file_source.h"
#include "mapped_window.h"
#include "number_stream.h"
#include "text_encoding.h"

namespace tessaly {

// Room to read a file into, kept from one file to the next; it grows as needed and is never
// cleared, since every byte scanned was read first.
class ReadBuffer {
  public:
    char* room(std::size_t size) {
        if (size > capacity_) {
            bytes_ = std::make_unique_for_overwrite<char[]>(size);
            capacity_ = size;
        }
        return bytes_.get();
    }

  private:
    std::unique_ptr<char[]> bytes_;
    std::size_t capacity_ = 0;
};

class FileNumberScan {
  public:
    // Small enough that a piece read is still in the processor's cache when it is scanned.
    static constexpr std::size_t kDefaultChunkSize = 64 * 1024;

    // Opens the file and reads its first piece (its mark with it); throws FileReadError. Reads
    // into `shared` when given (it must outlive the scan), else into a buffer of its own.
    // Files of at least `mapping.from` bytes are read through a mapping after their first piece.
    FileNumberScan(const std::string& path, const ScanRules& rules,
                   std::size_t chunkSize = kDefaultChunkSize, ReadBuffer* shared = nullptr,
                   MappedReading mapping = {});

    // Scans the next piece, appending its numbers to `out`. Returns false once the whole file
    // was scanned (the last numbers are appended by that call). When the rules ask for line
    // numbers, the line of each number appended to `out` is appended to `lines` (which may be
    // null otherwise); when they ask for the written text, its text to `texts` likewise; when
    // they ask for places, where in a document the numbers stand to `places`. Throws
    // FileReadError.
    bool next(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines = nullptr,
              NumberTexts* texts = nullptr, NumberPlaces* places = nullptr);

    // The same, the numbers appended to `lines` as digit lines (NumberStream::feedLines), and
    // their lines to `lineNumbers` when the rules ask for them.
    bool nextLines(DigitLines& lines, std::vector<std::size_t>* lineNumbers = nullptr);

    // As NumberStream::setRules: from the next number that starts.
    void setRules(const ScanRules& rules) { stream_.setRules(rules); }

    // Where a scan stands between two pieces: what it carries from one piece to the next and
    // where the next one starts. A scan run ahead of its reader goes back to one when the rules
    // change under it, and scans the text from there again.
    struct Mark {
        NumberStream stream;
        AsciiProjector projector{TextEncoding::EightBit};
        std::uint64_t next = 0;  // the offset of the next piece
        bool mapped = false;
        bool untold = false;  // whether the file is UTF-8 is not told yet
    };
    // Whether the scan can go back to a mark taken from here on: a file read through its
    // mapping can be read again from any offset, a document or a pipe cannot.
    bool canGoBack() const { return mapped_ && !document_ && !done_; }
    // Between two pieces (after the first), while canGoBack().
    void mark(Mark& mark) const;
    // Back to `mark`, taken from this scan: the next piece is the one that followed it. Throws
    // FileReadError.
    void goBack(const Mark& mark);
    TextEncoding encoding() const { return projector_.encoding(); }
    const FileStamp& stamp() const { return file_->stamp(); }
    FileStamp stampNow() const { return file_->stampNow(); }

  private:
    // Hands each piece's text, projected where needed, to feed(data, size), each place marked
    // in a document's text to place(where) between its stretches, and the end of the text to
    // finish(); returns as next does.
    template <class Feed, class Finish, class Place>
    bool step(Feed&& feed, Finish&& finish, Place&& place);
    // Reads the next piece into the buffer, or takes it from the mapping; false at the end of
    // the file.
    bool readPiece();
    // The next piece from the mapping, mapping the next window when needed; false when the
    // file is read from here on.
    bool mapPiece();
    // With the Unicode separators and no mark: at the file's first piece that is not all ASCII,
    // tells whether the file is UTF-8 and projects it so from that piece on.
    void tellIfNotAscii();

    std::unique_ptr<FileSource> file_;
    ReadBuffer ownBuffer_;
    char* buffer_;
    std::size_t chunkSize_;
    std::string_view piece_;  // read and not yet scanned
    MappedReading mapping_;
    bool mapped_ = false;                   // the file is read through windows from here on
    std::unique_ptr<MappedWindow> window_;  // the window the last piece came from
    std::uint64_t windowAt_ = 0;            // its offset in the file
    std::size_t windowTaken_ = 0;           // its bytes handed out as pieces
    std::uint64_t readSoFar_ = 0;
    bool atEnd_ = false;  // the last read reached the end of the file
    std::string projected_;
    std::unique_ptr<DocumentText> document_;  // the text of a document, UTF-8
    std::string text_;                        // a piece of the document's text
    TextPlaces textPlaces_;                   // the places marked in it, when kept
    std::string where_;                       // the place the document's text is at
    bool keepsPlaces_ = false;
    AsciiProjector projector_{TextEncoding::EightBit};
    bool untold_ = false;  // the file is ASCII so far and whether it is UTF-8 is not told yet
    NumberStream stream_;
    bool done_ = false;
};

// Scans a whole file; throws FileReadError (numbers found before a failure stay in `out`).
void ScanFileNumbers(const std::string& path, const ScanRules& rules, std::vector<PhoneNumber>& out,
                     std::vector<std::size_t>* lines = nullptr);

}  // namespace tessaly
