#include "input_paths.h"

#include "folder_files.h"
#include "folder_walk.h"

namespace tessaly {

namespace {

// Without a window there is nothing to hand control to, and nothing closes.
class NoEventLoop : public EventLoop {
  public:
    bool yield() override { return true; }
};

}  // namespace

std::vector<std::string> ExpandInputPaths(const std::vector<std::string>& paths,
                                          const std::optional<std::string>& extension,
                                          FileSystem& files, ErrorBox& errors) {
    const std::string pattern = extension ? ExtensionPattern(*extension) : std::string("*.*");
    NoEventLoop loop;
    std::vector<std::string> expanded;
    for (const std::string& path : paths) {
        if (!FolderExists(files, path)) {
            expanded.push_back(path);
            continue;
        }
        // The walk passes over folders it cannot list; one the user named is reported, or its
        // files would be missing without a word.
        try {
            (void)files.subfolderNames(path);
        } catch (const FileSystemError& failure) {
            errors.showErrorReport(failure.what());
            continue;
        }
        CollectFolderTreeFiles(WalkServices{files, loop, errors, Pacing{}}, path, pattern,
                               [&](std::string file) { expanded.push_back(std::move(file)); });
    }
    return expanded;
}

}  // namespace tessaly
