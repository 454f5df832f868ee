#pragma once
// The documents layer: files whose text is not their bytes. Documents (the engine's
// DocumentReader) is shown a file's first bytes by the file scan and tells by content what the
// file is (content_kind.h); for a document it opens the reader of its kind, each a DocumentText
// handing over UTF-8 text a piece at a time:
//   zipped office documents  office_text.h (libzip, libxml2's SAX2 push parser)
//   web pages                html_text.h   (libxml2's HTML parser)
//   e-mail and mailboxes     mail_text.h   (GMime; attachments back through Documents)
//   PDF                      pdf_text.h    (pdftotext as a child process)
//   UTF-16 without a mark    wide_text.h
// A file that is not text is skipped (FileSkipped) unless the options read it as 8-bit text;
// any other text is left to the scan, read as bytes as always. Every reader keeps the bounds of
// document_limits.h.

#include <memory>
#include <string>
#include <string_view>

#include "document_text.h"

namespace tessaly::documents {

struct DocumentOptions {
    // Read files that are not text as 8-bit text (the extractor's --binary) instead of skipping
    // them.
    bool readBinary = false;
    // The pdftotext to run.
    std::string pdfProgram = "pdftotext";
};

class Documents final : public DocumentReader {
  public:
    explicit Documents(DocumentOptions options = {});
    std::unique_ptr<DocumentText> open(const std::string& path,
                                       std::string_view head) const override;

  private:
    std::unique_ptr<DocumentText> openAt(const std::string& path, const std::string& name,
                                         std::string_view head, int depth) const;
    // An attachment saved apart: its head read, then as openAt.
    std::unique_ptr<DocumentText> openNested(const std::string& path, const std::string& name,
                                             int depth) const;

    DocumentOptions options_;
};

}  // namespace tessaly::documents
