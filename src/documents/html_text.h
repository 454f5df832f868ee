#pragma once
// HtmlText: the visible text of a web page, read by libxml2's HTML parser fed a piece at a time
// (no tree is built): tags dropped, script and style skipped, character references decoded,
// line breaks in the source read as the blanks they show as (except in <pre>), block elements
// ending lines, table cells ended by a tab, and the number of each tel: link given on a line of
// its own. Nesting is bounded.

#include <functional>
#include <memory>
#include <string>

#include "document_text.h"

namespace tessaly::documents {

// Fills `buffer` with up to `capacity` bytes of the page; 0 at its end. Throws FileReadError.
using ByteReader = std::function<std::size_t(char* buffer, std::size_t capacity)>;

// `name` is what failure descriptions call the page.
std::unique_ptr<DocumentText> OpenHtmlText(ByteReader bytes, std::string name);

// The whole text of a page held in memory (an e-mail's HTML part).
std::string HtmlToText(std::string_view page, const std::string& name);

}  // namespace tessaly::documents
