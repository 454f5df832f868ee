#include "file_drop.h"

#include "folder_files.h"

namespace tessaly {

void FileDrop::drop(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        if (!FolderExists(services_.files, path)) {
            list_.append(path);
            continue;
        }
        // Each dropped folder is a walk of its own.
        const bool complete = CollectFolderTreeFiles(
            services_, path, "*.*", [&](std::string file) { list_.append(std::move(file)); });
        if (!complete) return;
    }
}

}  // namespace tessaly
