#include "folder_files.h"

#include <optional>
#include <stdexcept>

#include "paced_yield.h"
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

std::optional<std::string> TakenFilePath(FileSystem& files, std::string_view folder,
                                         std::string_view name) {
    if (IsTemporaryName(name)) return std::nullopt;
    const std::string path = JoinPath(folder, name);
    try {
        if (IsImportableFile(files, path)) return RemoveDoubleSlashes(path);
    } catch (const std::runtime_error&) {
        // A file that vanished or cannot be examined is left out.
    }
    return std::nullopt;
}

bool CollectFolderTreeFiles(const WalkServices& services, const std::string& folder,
                            std::string_view pattern,
                            const std::function<void(std::string)>& append,
                            std::vector<UnreadableFolder>& unreadable) {
    FileSystem& files = services.files;
    std::vector<std::string> folders{folder + kPathSeparator};
    FolderWalk walk(services);
    if (!walk.collectSubfolders(folders, true)) return false;
    unreadable.insert(unreadable.end(), walk.unreadable().begin(), walk.unreadable().end());
    PacedYield yield(services.eventLoop, services.pacing);
    for (const std::string& entry : folders) {
        const std::string current = entry.substr(0, entry.size() - 1);
        for (const std::string& name : ListFilesInFolder(files, current, pattern, &yield)) {
            if (!yield()) return false;
            if (std::optional<std::string> path = TakenFilePath(files, current, name))
                append(std::move(*path));
        }
        if (yield.stopped()) return false;
    }
    return true;
}

std::string UnreadableFoldersNotice(const std::vector<UnreadableFolder>& unreadable) {
    const std::size_t count = unreadable.size();
    std::string text =
        count == 1
            ? "1 folder could not be read, so its files were not added:"
            : std::to_string(count) + " folders could not be read, so their files were not added:";
    text += "\r";
    for (std::size_t i = 0; i < count && i < kUnreadableFoldersShown; ++i)
        text += "\r" + unreadable[i].path;
    if (count > kUnreadableFoldersShown) {
        text += "\rand " + std::to_string(count - kUnreadableFoldersShown) + " more";
    }
    return text;
}

}  // namespace tessaly
