#pragma once
// The comma-delimited lines of "Save As Comma Delimited": every row's text, checked or not, in
// list order, a comma after every row but the last, CR LF after every line. No title line, no
// spaces, no quoting. An empty list gives no bytes at all.

#include "byte_sink.h"
#include "list_table.h"
#include "row_walk.h"

namespace tessaly {

// Writes the rows present now; later ones are left out. False when the walk stopped.
bool FormatListCommaDelimited(const ListTable& list, ByteSink& sink, RowWalk& walk);

}  // namespace tessaly
