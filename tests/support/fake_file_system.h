#pragma once
// An in-memory folder tree for the cases a real disk cannot show here: system attributes, a
// root folder to import from, names of any length, and folders whose lookup or listing fails
// in a chosen way. Paths are compared after doubled and trailing "/" are taken away.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessaly::testing {

class FakeFileSystem : public FileSystem {
  public:
    struct Folder {
        int attributes = kDirectoryAttribute;
        std::optional<FileSystemError::Kind> listingFails;
        bool lookUpFails = false;
        std::uint64_t inode = 0;
    };

    FakeFileSystem() { addFolder("/"); }

    Folder& addFolder(const std::string& path, int attributes = kDirectoryAttribute) {
        Folder& folder = folders_[Key(path)];
        folder.attributes = attributes;
        folder.inode = ++inodes_;
        return folder;
    }
    void addFile(const std::string& path, int attributes = kArchiveAttribute) {
        files_[Key(path)] = attributes;
    }

    std::optional<int> attributes(const std::string& path) override {
        const std::string key = Key(path);
        if (folders_.contains(key)) return folders_[key].attributes;
        if (files_.contains(key)) return files_[key];
        return std::nullopt;
    }
    FolderInfo lookUpFolder(const std::string& path) override {
        const std::string key = Key(path);
        lookUps.push_back(key);
        const auto it = folders_.find(key);
        if (it == folders_.end() || it->second.lookUpFails) {
            throw FileSystemError(FileSystemError::Kind::kOther, "Path not found: " + key);
        }
        return {key == "/", it->second.attributes, {1, it->second.inode}};
    }
    std::vector<std::string> subfolderNames(const std::string& folder) override {
        const std::string key = Key(folder);
        const Folder& f = folders_.at(key);
        if (f.listingFails) throw FileSystemError(*f.listingFails, "Cannot list " + key);
        return Children(folders_, key);
    }
    std::vector<std::string> fileNames(const std::string& folder) override {
        return Children(files_, Key(folder));
    }
    bool isExistingFile(const std::string& path) override { return files_.contains(Key(path)); }
    bool pathExists(const std::string& path) override {
        return files_.contains(Key(path)) || folders_.contains(Key(path));
    }

    std::vector<std::string> lookUps;

  private:
    static std::string Key(const std::string& path) {
        std::string key;
        for (const char c : path) {
            if (c != '/' || key.empty() || key.back() != '/') key += c;
        }
        while (key.size() > 1 && key.back() == '/')
            key.pop_back();
        return key;
    }
    template <class Map>
    static std::vector<std::string> Children(const Map& map, const std::string& parent) {
        const std::string prefix = parent == "/" ? parent : parent + "/";
        std::vector<std::string> names;
        for (const auto& [path, value] : map) {
            if (path.size() > prefix.size() && path.starts_with(prefix) &&
                path.find('/', prefix.size()) == std::string::npos) {
                names.push_back(path.substr(prefix.size()));
            }
        }
        return names;
    }

    std::map<std::string, Folder> folders_;
    std::map<std::string, int> files_;
    std::uint64_t inodes_ = 0;
};

}  // namespace tessaly::testing
