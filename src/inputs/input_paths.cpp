#include "input_paths.h"

#include <algorithm>
#include <string_view>

#include "folder_files.h"
#include "folder_walk.h"
#include "name_rules.h"
#include "path_rules.h"

namespace tessaly {

InputPaths::InputPaths(std::vector<std::string> paths, const std::vector<std::string>& extensions,
                       FileSystem& files, ErrorBox& errors)
    : InputPaths(
          [paths = std::move(paths), next = std::size_t{0}]() mutable {
              return next < paths.size() ? std::optional(std::move(paths[next++])) : std::nullopt;
          },
          extensions, files, errors) {}

InputPaths::InputPaths(NamedPaths paths, const std::vector<std::string>& extensions,
                       FileSystem& files, ErrorBox& errors)
    : named_(std::move(paths)), files_(files), errors_(errors) {
    for (const std::string& extension : extensions)
        patterns_.push_back(ExtensionPattern(extension));
    if (patterns_.empty()) patterns_.emplace_back("*.*");
}

std::optional<std::string> InputPaths::next() {
    for (;;) {
        if (std::optional<std::string> file = nextInFolder()) return file;
        if (nextFolder_ < folders_.size()) {
            listFolder(folders_[nextFolder_++]);
            continue;
        }
        std::optional<std::string> named = named_();
        if (!named) return std::nullopt;
        std::string path = std::move(*named);
        if (path == "-" || !FolderExists(files_, path)) return path;  // "-": never a folder
        startTree(path);
    }
}

void InputPaths::startTree(const std::string& folder) {
    folders_.clear();
    nextFolder_ = 0;
    // The walk passes over folders it cannot list; one the user named is reported, or its
    // files would be missing without a word.
    try {
        (void)files_.subfolderNames(folder);
    } catch (const FileSystemError& failure) {
        errors_.showErrorReport(failure.what());
        return;
    }
    folders_.push_back(folder + kPathSeparator);
    FolderWalk walk(WalkServices{files_, loop_, errors_, Pacing{}});
    walk.collectSubfolders(folders_, true);
    for (const UnreadableFolder& lost : walk.unreadable())
        errors_.showErrorReport(lost.description);
    collected_ = walk.takeListed();
}

// The names a dropped folder takes from `folder`, matched as they are read, sorted in place.
void InputPaths::listFolder(const std::string& folder) {
    folder_ = folder.substr(0, folder.size() - 1);
    // A name holds no separator, so the tidy path of each file is this and its name.
    tidyFolder_ = RemoveDoubleSlashes(JoinPath(folder_, ""));
    names_.clear();
    listing_.clear();
    nextName_ = 0;
    // Each folder the walk collected is listed once, through a handle that is still that
    // folder: one replaced since (by a link to its parent, say) would be read again, or lead
    // out of what was named.
    try {
        const bool same = files_.listFolder(
            folder,
            [&](const FileIdentity& opened) {
                const auto it = collected_.find(opened);
                if (it == collected_.end() || it->second != folder) return false;
                collected_.erase(it);
                return true;
            },
            [&](std::string_view name, EntryType type) {
                if (type != EntryType::kFile || IsTemporaryName(name) ||
                    std::none_of(patterns_.begin(), patterns_.end(),
                                 [&](const std::string& p) { return MatchesPattern(name, p); })) {
                    return;
                }
                listing_.push_back({ListingKey(name), names_.size()});
                names_.append(name);
                names_.push_back('\0');
            });
        if (!same) errors_.showErrorReport(ReplacedFolderText(folder_));
    } catch (const FileSystemError& failure) {
        // The names read before the failure are still taken.
        if (failure.kind() != FileSystemError::Kind::kNotFound) {
            errors_.showErrorReport(failure.what());
        }
    }
    const char* base = names_.data();
    std::sort(listing_.begin(), listing_.end(), [base](const ListedName& a, const ListedName& b) {
        return a.key != b.key ? a.key < b.key : ListsBefore(base + a.start, base + b.start);
    });
}

// The listing said which entries are files, so a file is handed out without being looked up
// again: the scan's own opening tells whether it is still there. Only a name beginning with "."
// can be hidden, the one kind of file the importers refuse; such a file is examined first.
std::optional<std::string> InputPaths::nextInFolder() {
    while (nextName_ < listing_.size()) {
        const char* name = names_.data() + listing_[nextName_++].start;
        if (name[0] != '.') return tidyFolder_ + name;
        if (std::optional<std::string> path = TakenFilePath(files_, folder_, name)) return path;
    }
    return std::nullopt;
}

}  // namespace tessaly
