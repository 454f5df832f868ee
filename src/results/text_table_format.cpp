#include "text_table_format.h"

#include <algorithm>
#include <string>

namespace tessaly {

namespace {

// Text, spaces up to `width` (none when the text is longer), TAB.
void AppendField(std::string& line, std::string_view text, std::size_t width) {
    line.append(text);
    if (text.size() < width) line.append(width - text.size(), ' ');
    line.push_back('\t');
}

}  // namespace

std::optional<TextTableLayout> MeasureTextTable(const ListTable& list, RowWalk& walk) {
    TextTableLayout layout;
    layout.rows = list.rowCount();
    const std::size_t columns = list.columnCount();
    layout.widths.reserve(columns);
    for (std::size_t c = 1; c <= columns; ++c) {
        std::size_t width = list.columnTitle(c).size();
        for (std::size_t r = 1; r <= layout.rows; ++r) {
            if (!walk.pass()) return std::nullopt;
            width = std::max(width, list.cell(r, c).size());
        }
        layout.widths.push_back(width);
    }
    return layout;
}

bool WriteTextTable(const ListTable& list, const TextTableLayout& layout, ByteSink& sink,
                    RowWalk& walk) {
    const std::size_t columns = layout.widths.size();
    std::string line;
    for (std::size_t c = 1; c <= columns; ++c) {
        if (!walk.pass()) return false;
        AppendField(line, list.columnTitle(c), layout.widths[c - 1]);
    }
    line.append("\r\n");
    sink.write(line);

    for (std::size_t r = 1; r <= layout.rows; ++r) {
        if (!walk.pass()) return false;
        if (!list.checked(r)) continue;
        line.clear();
        for (std::size_t c = 1; c <= columns; ++c) {
            if (columns > 1 && !walk.pass()) return false;
            AppendField(line, list.cell(r, c), layout.widths[c - 1]);
        }
        line.append("\r\n");
        sink.write(line);
    }
    return true;
}

bool FormatListAsText(const ListTable& list, ByteSink& sink, RowWalk& walk) {
    const std::optional<TextTableLayout> layout = MeasureTextTable(list, walk);
    return layout && WriteTextTable(list, *layout, sink, walk);
}

}  // namespace tessaly
