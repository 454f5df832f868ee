#pragma once
// The text "Copy Results To Clipboard" puts on the clipboard: one line per checked row, its
// cells padded to their column's width and separated by TABs, trailing spaces trimmed, a line
// end after every line. Widths count the cells of all rows, checked or not, but not the titles.
// For the result list a line is simply the number and the line end.

#include <string>
#include <string_view>

#include "list_table.h"
#include "row_walk.h"

namespace tessaly {

// Lines on this platform's clipboard end with LF alone, as terminals and editors expect when
// they are pasted; the saved files keep CR LF.
inline constexpr std::string_view kClipboardLineEnd = "\n";

// Appends the text to `text`. False when the walk stopped.
bool BuildClipboardText(const ListTable& list, std::string& text, RowWalk& walk);

}  // namespace tessaly
