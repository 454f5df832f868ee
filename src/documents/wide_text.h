#pragma once
// WideText: a file of UTF-16 text without a byte-order mark, in the byte order its content
// showed, handed over as UTF-8.

#include <memory>

#include "document_text.h"
#include "text_encoding.h"

namespace tessaly::documents {

std::unique_ptr<DocumentText> OpenWideText(std::unique_ptr<FileSource> file, TextEncoding encoding);

}  // namespace tessaly::documents
