#pragma once
// ContentKind: what a file is, told by its first bytes (and its name only where the content
// alone cannot tell a web page from text): a zip (perhaps an office document), a PDF, a web
// page, an e-mail message or mailbox, UTF-16 text without a byte-order mark, something that is
// not text at all, or text to read as bytes, as always.

#include <string>
#include <string_view>

namespace tessaly::documents {

enum class ContentKind { Text, Zip, Pdf, Html, Message, Mailbox, Utf16LE, Utf16BE, NotText };

// `head`: the file's first bytes (DocumentReader::kHeadSize of them, or the whole file).
ContentKind KindOf(std::string_view head, std::string_view path);

// A file that is not text is skipped (FileSkipped, naming it by `name`), unless `readBinary`
// has the scan read it as 8-bit text.
void SkipNotText(const std::string& name, bool readBinary);
// Whether a file of `kind` needs a document reader: text is read by the scan as bytes, and a
// file that is not text is skipped or read so (SkipNotText). The extractor asks this before it
// loads the readers, the readers before they open one: both decide alike.
bool NeedsDocumentReader(ContentKind kind, const std::string& name, bool readBinary);

}  // namespace tessaly::documents
