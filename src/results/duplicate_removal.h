#pragma once
// RemoveDuplicateRows: keeps the first row of every group of rows with the same text, in place,
// and removes the others; the order of the rows kept does not change. Rows are compared by a
// hash of their text, so a list of millions takes one pass.
//
// The list itself is changed only at the very end, in one step. Rows appended while the walk
// yields are examined too; if rows are removed meanwhile the walk fails and the list keeps the
// rows it has then, with no duplicate removed.

#include "result_list.h"
#include "row_walk.h"

namespace tessaly {

// False when the window closed meanwhile (the list is then left as it is). Throws on failure.
bool RemoveDuplicateRows(ResultList& list, const WalkYield& yield);

}  // namespace tessaly
