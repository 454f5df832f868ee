#pragma once
// WriteListAsText: writes a list as the padded text table to a file, replacing an existing
// file without asking. The file is written beside its target and takes its place only when
// every byte is written: a failure, or rows removed meanwhile, leave an existing file as it was.

#include <string>

#include "list_table.h"
#include "platform/file_writer.h"
#include "row_walk.h"

namespace tessaly {

// False when the window closed during the write (nothing was written). Throws on any failure.
bool WriteListAsText(const ListTable& list, const std::string& name, SafeFileWriter& files,
                     const WalkYield& yield);

}  // namespace tessaly
