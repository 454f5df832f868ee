#include "data_files.h"

#include "path_rules.h"

namespace tessaly {

namespace {

// "/usr/bin" gives "/usr/share/tessaly"; a program in the root folder looks in "/share/tessaly".
std::string SharedFolderFor(const std::string& programFolder) {
    const std::size_t slash = programFolder.rfind(kPathSeparator);
    const std::string prefix = slash == std::string::npos ? "." : programFolder.substr(0, slash);
    return JoinPath(prefix, kSharedDataFolder);
}

}  // namespace

DataFiles::DataFiles(std::string programFolder, FileSystem& files)
    : programFolder_(std::move(programFolder)),
      sharedFolder_(SharedFolderFor(programFolder_)),
      files_(files) {}

std::string DataFiles::folderOf(std::string_view name) const {
    if (files_.pathExists(JoinPath(programFolder_, name))) return programFolder_;
    if (files_.pathExists(JoinPath(sharedFolder_, name))) return sharedFolder_;
    return programFolder_;
}

std::string DataFiles::find(std::string_view name) const {
    return JoinPath(folderOf(name), name);
}

}  // namespace tessaly
