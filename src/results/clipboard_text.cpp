#include "clipboard_text.h"

#include <algorithm>
#include <vector>

namespace tessaly {

bool BuildClipboardText(const ListTable& list, std::string& text, RowWalk& walk) {
    const std::size_t rows = list.rowCount();
    const std::size_t columns = list.columnCount();
    std::vector<std::size_t> widths(columns, 0);
    for (std::size_t c = 1; c <= columns; ++c) {
        for (std::size_t r = 1; r <= rows; ++r) {
            if (!walk.pass()) return false;
            widths[c - 1] = std::max(widths[c - 1], list.cell(r, c).size());
        }
    }

    // Room for every line at once: growing a text of millions of lines step by step would copy
    // it again and again, each copy a pause the window cannot be served in.
    std::size_t lineLength = kClipboardLineEnd.size();
    for (const std::size_t width : widths)
        lineLength += width + 1;
    text.reserve(text.size() + rows * lineLength);

    for (std::size_t r = 1; r <= rows; ++r) {
        if (!walk.pass()) return false;
        if (!list.checked(r)) continue;
        const std::size_t lineStart = text.size();
        for (std::size_t c = 1; c <= columns; ++c) {
            if (columns > 1 && !walk.pass()) return false;
            const std::string_view cell = list.cell(r, c);
            text.append(cell);
            if (cell.size() < widths[c - 1]) text.append(widths[c - 1] - cell.size(), ' ');
            text.push_back('\t');
        }
        // No TAB after the last cell, and no padding before the line's end.
        if (text.size() > lineStart) text.pop_back();
        const std::size_t end = text.find_last_not_of(' ');
        text.resize(end == std::string::npos || end < lineStart ? lineStart : end + 1);
        text.append(kClipboardLineEnd);
    }
    return true;
}

}  // namespace tessaly
