#include "input_paths.h"

#include <algorithm>
#include <string_view>

#include "folder_files.h"
#include "folder_walk.h"
#include "name_rules.h"
#include "path_rules.h"

namespace tessaly {

InputPaths::InputPaths(std::vector<std::string> paths, const std::optional<std::string>& extension,
                       FileSystem& files, ErrorBox& errors)
    : InputPaths(
          [paths = std::move(paths), next = std::size_t{0}]() mutable {
              return next < paths.size() ? std::optional(std::move(paths[next++])) : std::nullopt;
          },
          extension, files, errors) {}

InputPaths::InputPaths(NamedPaths paths, const std::optional<std::string>& extension,
                       FileSystem& files, ErrorBox& errors)
    : named_(std::move(paths)),
      pattern_(extension ? ExtensionPattern(*extension) : std::string("*.*")),
      files_(files),
      errors_(errors) {}

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
}

// The names a dropped folder takes from `folder`, matched as they are read, sorted in place.
void InputPaths::listFolder(const std::string& folder) {
    folder_ = folder.substr(0, folder.size() - 1);
    names_.clear();
    starts_.clear();
    nextName_ = 0;
    files_.visitFileNames(folder, [&](std::string_view name) {
        if (!MatchesPattern(name, pattern_)) return;
        starts_.push_back(names_.size());
        names_.append(name);
        names_.push_back('\0');
    });
    const char* base = names_.data();
    std::sort(starts_.begin(), starts_.end(),
              [base](std::size_t a, std::size_t b) { return ListsBefore(base + a, base + b); });
}

std::optional<std::string> InputPaths::nextInFolder() {
    while (nextName_ < starts_.size()) {
        const char* name = names_.data() + starts_[nextName_++];
        if (std::optional<std::string> path = TakenFilePath(files_, folder_, name)) return path;
    }
    return std::nullopt;
}

}  // namespace tessaly
