#pragma once
// FileSystem: the questions the folder walk, the importers and the sample loader ask about
// files and folders. Paths are bytes, as names are on this platform. Attribute values are sums
// of the bits below: a folder is 16, a name beginning with "." adds hidden 2, a path the user
// may not write adds read-only 1, every regular file carries archive 32 and a symbolic link
// adds 1024. No path is ever a system entry (4).

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

enum FileAttribute : int {
    kReadOnlyAttribute = 1,
    kHiddenAttribute = 2,
    kSystemAttribute = 4,
    kDirectoryAttribute = 16,
    kArchiveAttribute = 32,
    kLinkAttribute = 1024
};

// What a folder is on its disk: two paths with the same identity are the same folder.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// What a folder's entry is, as far as its listing tells (a link is followed).
enum class EntryType {
    kFolder,  // a folder, or a link to one
    kFile,    // a regular file, or a link to one
    kOther,   // anything else: a device, a pipe, a socket, a link that leads nowhere
};

struct FolderInfo {
    bool isRoot = false;  // the top of the folder tree
    int attributes = 0;
    FileIdentity identity;
};

// A folder that could not be looked up or listed, and why.
class FileSystemError : public std::runtime_error {
  public:
    enum class Kind { kNotFound, kAccessDenied, kOther };
    FileSystemError(Kind kind, const std::string& description)
        : std::runtime_error(description), kind_(kind) {}
    Kind kind() const { return kind_; }

  private:
    Kind kind_;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The attribute value of `path` (following a link for everything but the link bit), or
    // nothing when it cannot be read. Never throws.
    virtual std::optional<int> attributes(const std::string& path) = 0;
    // Looks up an existing folder. Throws FileSystemError when `path` is none.
    virtual FolderInfo lookUpFolder(const std::string& path) = 0;
    // The names of the folder's subfolders (links to folders included), without "." and "..",
    // in the order the folder holds them. Throws FileSystemError when it cannot be listed.
    virtual std::vector<std::string> subfolderNames(const std::string& folder) = 0;
    // The names of the folder's entries that are not folders, in the order the folder holds
    // them; nothing when it cannot be listed. Never throws.
    virtual std::vector<std::string> fileNames(const std::string& folder) = 0;
    // The same names handed to `visit` one by one as they are read, so a folder of a million
    // files needs no list of them.
    virtual void visitFileNames(const std::string& folder,
                                const std::function<void(std::string_view)>& visit) {
        for (const std::string& name : fileNames(folder))
            visit(name);
    }
    // Opens `folder` once and hands the identity of what it opened to `accept`; only when that
    // accepts it are the entries read, through the same handle, each with its type. So a folder
    // swapped for another, or for a link, after it was checked is never listed under the
    // checked name. The type comes from the listing itself where the disk keeps it there, so a
    // folder of plain files is listed without looking up each file. False when not accepted;
    // throws FileSystemError when the folder cannot be opened or read. Here: a lookup, then the
    // two listings by name and each file looked up, for a file system whose folders cannot
    // change meanwhile.
    virtual bool listFolder(const std::string& folder,
                            const std::function<bool(const FileIdentity&)>& accept,
                            const std::function<void(std::string_view, EntryType)>& visit) {
        if (!accept(lookUpFolder(folder).identity)) return false;
        for (const std::string& name : subfolderNames(folder))
            visit(name, EntryType::kFolder);
        const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
        visitFileNames(folder, [&](std::string_view name) {
            visit(name, isExistingFile(prefix + std::string(name)) ? EntryType::kFile
                                                                   : EntryType::kOther);
        });
        return true;
    }
    // True for an existing regular file, also one that cannot be read; false for a folder, a
    // device, a pipe, a socket or a missing path. Never throws.
    virtual bool isExistingFile(const std::string& path) = 0;
    // True when the modification time of `path` can be read (an existing file or folder).
    // Never throws.
    virtual bool pathExists(const std::string& path) = 0;
};

}  // namespace tessaly
