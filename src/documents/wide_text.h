#pragma once
// WideText: a file of UTF-16 text without a byte-order mark, in the byte order its content
// showed, handed over as UTF-8. It needs no library, so the extractor reads such a file without
// loading the document readers.

#include <memory>
#include <string>

#include "content_kind.h"
#include "document_text.h"

namespace tessaly::documents {

// The text of the file at `path` when `kind` is UTF-16 without a mark (ContentKind::Utf16LE or
// Utf16BE); null for any other kind. Throws FileReadError.
std::unique_ptr<DocumentText> OpenWideText(ContentKind kind, const std::string& path);

}  // namespace tessaly::documents
