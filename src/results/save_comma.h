#pragma once
// WriteListCommaDelimited: asks before replacing an existing file, then writes every row of a
// list as comma-delimited lines. Like the text table, the file takes its target's place only
// when complete.

#include <string>

#include "list_table.h"
#include "platform/file_writer.h"
#include "platform/message_boxes.h"
#include "row_walk.h"

namespace tessaly {

// No to the question returns true and writes nothing. False when the window closed during the
// write (nothing was written). Throws on any failure.
bool WriteListCommaDelimited(const ListTable& list, const std::string& name, SafeFileWriter& files,
                             MessageBoxes& boxes, const WalkYield& yield);

}  // namespace tessaly
