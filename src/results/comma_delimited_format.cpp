#include "comma_delimited_format.h"

#include <string>

namespace tessaly {

bool FormatListCommaDelimited(const ListTable& list, ByteSink& sink, RowWalk& walk) {
    // The last line is the last row present at the start: rows appended while the walk yields
    // are not written, so they must not turn that line into one that promises more.
    const std::size_t rows = list.rowCount();
    std::string line;
    for (std::size_t r = 1; r <= rows; ++r) {
        if (!walk.pass()) return false;
        line.assign(list.cell(r, 1));
        if (r != rows) line.push_back(',');
        line.append("\r\n");
        sink.write(line);
    }
    return true;
}

}  // namespace tessaly
