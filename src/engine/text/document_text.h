#pragma once
// DocumentReader: how a file scan learns that a file is a document (a word processor's,
// spreadsheet's or presentation's file, a web page, an e-mail, a PDF) whose text is not its
// bytes, or not text at all. The engine only defines the seam: the documents layer implements
// it, and the extractor and the window hand one in with the scan's rules. The scan then reads
// the document's text, UTF-8 with lines ended by "\n", a piece at a time, through the same
// scanner as any text file. A document names where its text stands (a page, a sheet's cell, a
// slide, a note) by marking places in it (text_places.h) for a scan that keeps them.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "file_source.h"
#include "text_places.h"

namespace tessaly {

// The text of one document, a piece at a time.
class DocumentText {
  public:
    virtual ~DocumentText() = default;
    // Appends the next piece of text to `out`; false once the whole text was given (that call
    // may still append the last piece). Throws FileReadError.
    virtual bool read(std::string& out) = 0;

    // Asks for the places of the text read from now on: each read appends to `places` where
    // the stretches of what it appended begin (offsets into its `out`). Null asks for none.
    void keepPlaces(TextPlaces* places) { places_ = places; }

  protected:
    bool keepsPlaces() const { return places_ != nullptr; }
    // For the readers: the text from byte `at` of the read's `out` on stands at `where`.
    void markPlace(std::size_t at, std::string_view where) {
        if (places_) places_->push_back({at, std::string(where)});
    }
    // The same, marked only when the text stood elsewhere until then; place() is where it
    // stands now.
    void enterPlace(std::size_t at, std::string_view where) {
        if (where == place_) return;
        place_ = where;
        markPlace(at, where);
    }
    const std::string& place() const { return place_; }

  private:
    TextPlaces* places_ = nullptr;
    std::string place_;
};

// A file that is neither text nor a document that is read: it is skipped, which is not a failure
// of the run (as a search tool passes over binary files). what() is the whole notice.
class FileSkipped : public FileReadError {
  public:
    using FileReadError::FileReadError;
};

// The notice for a skipped file, and whether a failure description is one.
std::string SkippedNotice(const std::string& path);
bool IsSkippedNotice(std::string_view description);

class DocumentReader {
  public:
    // How many of a file's first bytes the reader is shown (fewer when the file is shorter).
    static constexpr std::size_t kHeadSize = 4096;

    virtual ~DocumentReader() = default;
    // The text of the file at `path`, whose first bytes are `head`, when its content makes it a
    // document; nothing when it is text to be read as bytes, as always. Throws FileSkipped for
    // a file that is not text, FileReadError for a document that cannot be read.
    virtual std::unique_ptr<DocumentText> open(const std::string& path,
                                               std::string_view head) const = 0;
};

// The text of `file` (at `path`) when `reader` makes it a document; nothing for text, whose first
// bytes, read to tell, are left in `started`. Standard input is always text.
std::unique_ptr<DocumentText> OpenDocumentText(const DocumentReader& reader, FileSource& file,
                                               const std::string& path, std::string& started);

}  // namespace tessaly
