#pragma once
// PosixFileSystem: the file-system questions answered with the POSIX calls, without Qt, so the
// window and the command-line extractor share it.

#include "platform/file_system.h"

namespace tessaly {

class PosixFileSystem : public FileSystem {
  public:
    PosixFileSystem();

    std::optional<int> attributes(const std::string& path) override;
    FolderInfo lookUpFolder(const std::string& path) override;
    std::vector<std::string> subfolderNames(const std::string& folder) override;
    std::vector<std::string> fileNames(const std::string& folder) override;
    void visitFileNames(const std::string& folder,
                        const std::function<void(std::string_view)>& visit) override;
    bool listFolder(const std::string& folder,
                    const std::function<bool(const FileIdentity&)>& accept,
                    const std::function<void(std::string_view, EntryType)>& visit) override;
    bool isExistingFile(const std::string& path) override;
    bool pathExists(const std::string& path) override;

  private:
    std::optional<FileIdentity> root_;
};

}  // namespace tessaly
