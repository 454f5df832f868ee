#include "folder_files.h"

#include <optional>
#include <stdexcept>

#include "path_rules.h"

namespace tessaly {

std::string ExtensionPattern(std::string_view extension) {
    return "*." + std::string(extension);
}

bool IsTemporaryName(std::string_view name) {
    return !name.empty() && name.front() == '~';
}

bool IsImportableFile(FileSystem& files, const std::string& path) {
    if (!IsExistingFile(files, path)) return false;
    const std::optional<int> value = files.attributes(path);
    if (!value) throw std::runtime_error("Cannot read the attributes of \"" + path + "\"");
    return *value != kHiddenArchivedFile;
}

bool CollectFolderTreeFiles(FolderWalk& walk, FileSystem& files, const std::string& folder,
                            std::string_view pattern,
                            const std::function<void(std::string)>& append) {
    std::vector<std::string> folders{folder + kPathSeparator};
    if (!walk.GetSubDirectories2016(folders, true)) return false;
    for (const std::string& entry : folders) {
        const std::string current = entry.substr(0, entry.size() - 1);
        for (const std::string& name : ListFilesInFolder(files, current, pattern)) {
            if (IsTemporaryName(name)) continue;
            const std::string path = JoinPath(current, name);
            bool take = false;
            try {
                take = IsImportableFile(files, path);
            } catch (const std::runtime_error&) {
                // A file that vanished or cannot be examined is left out.
            }
            if (take) append(RemoveDoubleSlashes(path));
        }
    }
    return true;
}

}  // namespace tessaly
