#include "file_drop.h"

#include "folder_files.h"

namespace tessaly {

void FileDrop::drop(const std::vector<std::string>& paths) {
    std::vector<UnreadableFolder> unreadable;
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        if (!FolderExists(services_.files, path)) {
            list_.append(path);
            continue;
        }
        // Each dropped folder is a walk of its own.
        const bool complete = CollectFolderTreeFiles(
            services_, path, "*.*", [&](std::string file) { list_.append(std::move(file)); },
            unreadable);
        if (!complete) return;
    }
    if (!unreadable.empty()) boxes_.showNotice(UnreadableFoldersNotice(unreadable));
}

}  // namespace tessaly
