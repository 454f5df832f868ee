#pragma once
// The file list of dragged data: the local paths it names, in the order the source gave them.

#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace tessaly {

// The dragged paths (bytes), or nothing when the data names no local file or folder.
std::optional<std::vector<std::string>> DroppedFilePaths(const QMimeData* data);

}  // namespace tessaly
