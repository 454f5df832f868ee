#pragma once
// ContentKind: what a file is, told by its first bytes (and its name only where the content
// alone cannot tell a web page from text): a zip (perhaps an office document), a PDF, a web
// page, an e-mail message or mailbox, UTF-16 text without a byte-order mark, something that is
// not text at all, or text to read as bytes, as always.

#include <string_view>

namespace tessaly::documents {

enum class ContentKind { Text, Zip, Pdf, Html, Message, Mailbox, Utf16LE, Utf16BE, NotText };

// `head`: the file's first bytes (DocumentReader::kHeadSize of them, or the whole file).
ContentKind KindOf(std::string_view head, std::string_view path);

}  // namespace tessaly::documents
