#pragma once
// OfficeText: the text of a zipped office document, Office Open XML (word processing,
// spreadsheet, presentation) or OpenDocument, told by its entries. Each part that holds text
// is streamed straight out of the zip through libxml2's SAX2 push parser (xml_push_parser.h), so
// memory does not grow with the document: runs split across elements are joined as a reader
// sees them, tabs and spaces kept, paragraphs and rows end lines, spreadsheet cells are ended by
// a tab. Shared strings are looked up by index. Expansion is bounded (document_limits.h); no DTD
// is loaded, no entity expanded, nothing fetched. When places are kept, each part, sheet cell,
// slide, note and comment is marked where its text begins.

#include <memory>
#include <optional>
#include <string>

#include "document_text.h"

namespace tessaly::documents {

enum class OfficeKind { WordProcessing, Spreadsheet, Presentation, OpenDocument };

// Which kind of office document the zip at `path` is; nothing for any other zip. Throws
// FileReadError for a zip that cannot be opened; `name` is what failure descriptions call it.
std::optional<OfficeKind> OfficeKindOf(const std::string& path, const std::string& name);

std::unique_ptr<DocumentText> OpenOfficeText(const std::string& path, const std::string& name,
                                             OfficeKind kind);

}  // namespace tessaly::documents
