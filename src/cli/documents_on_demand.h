#pragma once
// DocumentsOnDemand: the extractor's document reader. It tells by a file's first bytes what the
// file is (content_kind.h), as the document readers would. Without loading them, text goes to
// the scan as bytes, a file that is not text is skipped (or read as 8-bit text with --binary)
// and UTF-16 without a mark is read as text (wide_text.h); any other file is handed to the
// readers of the document-readers module, loaded by the first file that needs them. When the
// module cannot be loaded, each such file fails with its path and why, and the run goes on.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "document_text.h"
#include "documents.h"
#include "layer_modules.h"

namespace tessaly::cli {

class DocumentsOnDemand final : public DocumentReader {
  public:
    DocumentsOnDemand(LayerModules& modules, documents::DocumentOptions options)
        : modules_(modules), options_(std::move(options)) {}
    std::unique_ptr<DocumentText> open(const std::string& path,
                                       std::string_view head) const override;

  private:
    // The module's reader, made once; null when the module cannot be loaded (failure_ says why).
    const DocumentReader* readers() const;

    LayerModules& modules_;
    documents::DocumentOptions options_;
    mutable std::once_flag once_;
    mutable std::unique_ptr<DocumentReader> readers_;
    mutable std::string failure_;
};

}  // namespace tessaly::cli
