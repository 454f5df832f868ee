#pragma once
// The padded text table of "Save Results As Text File": a title line, then one line per checked
// row. Every field is padded with spaces to its column's width and ends with a TAB; every line
// ends with CR LF. A column's width is the longest of its title and of its cells in all rows,
// checked or not.

#include <cstddef>
#include <optional>
#include <vector>

#include "byte_sink.h"
#include "list_table.h"
#include "row_walk.h"

namespace tessaly {

struct TextTableLayout {
    std::size_t rows = 0;             // the rows present when measuring; later ones are left out
    std::vector<std::size_t> widths;  // per column, the first column first
};

// Nothing when the walk stopped.
std::optional<TextTableLayout> MeasureTextTable(const ListTable& list, RowWalk& walk);

// Writes the title line and the rows measured. False when the walk stopped.
bool WriteTextTable(const ListTable& list, const TextTableLayout& layout, ByteSink& sink,
                    RowWalk& walk);

// Both steps at once. False when the walk stopped.
bool FormatListAsText(const ListTable& list, ByteSink& sink, RowWalk& walk);

}  // namespace tessaly
