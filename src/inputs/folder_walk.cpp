#include "folder_walk.h"

#include <algorithm>
#include <optional>

#include "error_report.h"
#include "name_rules.h"

namespace tessaly {

namespace {

// Removes the first entry equal to `folder`, so none of its files are taken.
void DropFolder(std::vector<std::string>& folders, const std::string& folder) {
    const auto it = std::find(folders.begin(), folders.end(), folder);
    if (it != folders.end()) folders.erase(it);
}

bool IsFolderLost(const FileSystemError& failure) {
    return failure.kind() == FileSystemError::Kind::kNotFound ||
           failure.kind() == FileSystemError::Kind::kAccessDenied;
}

std::string WithoutSeparator(const std::string& folder) {
    return folder.size() > 1 && folder.back() == '/' ? folder.substr(0, folder.size() - 1) : folder;
}

}  // namespace

std::string ReplacedFolderText(const std::string& folder) {
    return "Cannot read the folder \"" + folder + "\": it was replaced while it was read";
}

bool FolderExists(FileSystem& files, const std::string& path) {
    const std::optional<int> value = files.attributes(path);
    return value && (*value & kDirectoryAttribute) != 0;
}

bool IsExistingFile(FileSystem& files, const std::string& path) {
    return files.isExistingFile(path);
}

std::vector<std::string> ListFilesInFolder(FileSystem& files, std::string folder,
                                           std::string_view pattern, PacedYield* yield) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    std::vector<std::string> names = files.fileNames(folder);
    std::vector<std::string> existing;
    for (std::string& name : names) {
        if (yield && !(*yield)()) break;
        if (MatchesPattern(name, pattern) && IsExistingFile(files, folder + name)) {
            existing.push_back(std::move(name));
        }
    }
    SortForListing(existing);
    return existing;
}

FolderWalk::FolderWalk(const WalkServices& services)
    : files_(services.files),
      errorBox_(services.errorBox),
      yield_(services.eventLoop, services.pacing) {}

bool FolderWalk::collectSubfolders(std::vector<std::string>& folders, bool recurse) {
    listed_.clear();
    unreadable_.clear();
    walkLevel(folders, recurse);
    return !stopped();
}

bool FolderWalk::isSkippedFolder(const FolderInfo& info) const {
    return !info.isRoot &&
           (info.attributes == kHiddenSystemFolder || info.attributes == kHiddenSystemFolderLink);
}

// Unexpected failures are reported under the walk's own name and the walk goes on. From the
// moment the first folder is listed until the deeper levels are walked, a failure instead
// ends the work on the folder at hand silently; a folder that turned out missing or unreadable
// is dropped from the list.
void FolderWalk::walkLevel(std::vector<std::string>& folders, bool recurse) {
    Trap trap(errorBox_, kProcedure);
    std::vector<std::string> found;
    bool listing = false;

    const std::vector<std::string> entries = folders;
    for (const std::string& folder : entries) {
        if (!FolderExists(files_, folder)) continue;
        if (folder.size() >= kFolderPathLimit) continue;
        try {
            std::optional<FolderInfo> info;
            if (listing) {
                info = files_.lookUpFolder(folder);
            } else if (!trap.step(kLookUpFolder, [&] { info = files_.lookUpFolder(folder); })) {
                continue;
            }
            if (!yield_()) return;
            if (isSkippedFolder(*info)) continue;
            listing = true;
            // A folder met again through a link is neither listed again nor kept.
            if (!listed_.emplace(info->identity, folder).second) {
                DropFolder(folders, folder);
                continue;
            }
            std::vector<std::string> names;
            const bool same = files_.listFolder(
                folder, [&](const FileIdentity& opened) { return opened == info->identity; },
                [&](std::string_view name, EntryType type) {
                    if (type == EntryType::kFolder) names.emplace_back(name);
                });
            if (!same) {
                // What the path leads to now was never checked: neither it nor its files.
                DropFolder(folders, folder);
                unreadable_.push_back(
                    {WithoutSeparator(folder), ReplacedFolderText(WithoutSeparator(folder))});
                continue;
            }
            SortForListing(names);
            for (const std::string& name : names) {
                if (!yield_()) return;
                if (name == "." || name == "..") continue;
                std::string path = folder + name + '/';
                if (path.size() < kFolderPathLimit) found.push_back(std::move(path));
            }
        } catch (const FileSystemError& failure) {
            if (IsFolderLost(failure)) DropFolder(folders, folder);
            // One that vanished meanwhile is no loss to tell of; one that is there is.
            if (failure.kind() != FileSystemError::Kind::kNotFound) {
                unreadable_.push_back({WithoutSeparator(folder), failure.what()});
            }
        } catch (...) {
            // Whatever else failed, the subfolders found so far stay.
        }
    }

    if (recurse && !found.empty()) walkLevel(found, true);
    if (stopped()) return;

    for (const std::string& folder : found) {
        if (!FolderExists(files_, folder)) continue;
        if (!yield_()) return;
        trap.step(kExamineSubfolder, [&] {
            if (!isSkippedFolder(files_.lookUpFolder(folder))) folders.push_back(folder);
        });
    }
}

}  // namespace tessaly
