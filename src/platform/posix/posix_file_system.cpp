#include "posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace tessaly {

namespace {

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// The last name of a path, trailing separators ignored.
std::string_view LastName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

FileSystemError FolderError(int error, const std::string& path) {
    using Kind = FileSystemError::Kind;
    Kind kind = Kind::kOther;
    if (error == ENOENT || error == ENOTDIR) kind = Kind::kNotFound;
    if (error == EACCES || error == EPERM) kind = Kind::kAccessDenied;
    // The walk hands folders with a separator at their end; the user knows them without.
    std::string_view shown = path;
    if (shown.size() > 1 && shown.back() == '/') shown.remove_suffix(1);
    return FileSystemError(
        kind, "Cannot read the folder \"" + std::string(shown) + "\": " + std::strerror(error));
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Dir = std::unique_ptr<DIR, DirCloser>;

EntryType TypeOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return EntryType::kFolder;
    return S_ISREG(info.st_mode) ? EntryType::kFile : EntryType::kOther;
}

// The type of the entry `entry` of the open folder `dir`. Most disks keep it in the listing;
// only a link (followed; one that leads nowhere is kOther) or a disk that keeps no type costs a
// lookup, made through `dir` itself.
EntryType TypeOf(DIR* dir, const dirent& entry) {
    switch (entry.d_type) {
        case DT_DIR:
            return EntryType::kFolder;
        case DT_REG:
            return EntryType::kFile;
        case DT_LNK:
        case DT_UNKNOWN: {
            struct stat info {};
            if (::fstatat(::dirfd(dir), entry.d_name, &info, 0) != 0) return EntryType::kOther;
            return TypeOf(info);
        }
        default:
            return EntryType::kOther;
    }
}

// The entries of the open folder `dir` except "." and "..", each with its type. Returns the
// reason of a failure, 0 when the whole folder was read.
template <class Visit>
int ForEachEntry(DIR* dir, Visit&& visit) {
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) return errno;
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        visit(name, TypeOf(dir, *entry));
    }
}

// The folder at `path` opened for listing, or the reason it cannot be. A folder whose names can
// be read but not looked up (read without search permission) cannot be listed either: none of
// its entries could be opened.
int OpenFolder(const std::string& path, Dir& dir, struct stat& info) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno;
    struct stat inside {};
    if (::fstat(fd, &info) != 0 || ::fstatat(fd, ".", &inside, 0) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    dir.reset(::fdopendir(fd));
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    return 0;
}

template <class Visit>
int ForEachEntry(const std::string& folder, Visit&& visit) {
    Dir dir;
    struct stat info {};
    if (const int error = OpenFolder(folder, dir, info)) return error;
    return ForEachEntry(dir.get(), visit);
}

}  // namespace

PosixFileSystem::PosixFileSystem() {
    struct stat info {};
    if (::stat("/", &info) == 0) root_ = IdentityOf(info);
}

std::optional<int> PosixFileSystem::attributes(const std::string& path) {
    struct stat link {};
    struct stat target {};
    if (path.empty() || ::lstat(path.c_str(), &link) != 0) return std::nullopt;
    const bool isLink = S_ISLNK(link.st_mode);
    if (isLink && ::stat(path.c_str(), &target) != 0) return std::nullopt;
    const struct stat& info = isLink ? target : link;
    int value = 0;
    if (S_ISDIR(info.st_mode)) value |= kDirectoryAttribute;
    if (S_ISREG(info.st_mode)) value |= kArchiveAttribute;
    if (isLink) value |= kLinkAttribute;
    const std::string_view name = LastName(path);
    if (name.size() > 1 && name.front() == '.' && name != "..") value |= kHiddenAttribute;
    // Read-only belongs to the file, not to who asks: its mode lets nobody write to it. So a
    // folder gives the same rows to every user, root included.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) value |= kReadOnlyAttribute;
    return value;
}

FolderInfo PosixFileSystem::lookUpFolder(const std::string& path) {
    struct stat info {};
    if (path.empty()) throw FolderError(ENOENT, path);
    if (::stat(path.c_str(), &info) != 0) throw FolderError(errno, path);
    if (!S_ISDIR(info.st_mode)) throw FolderError(ENOTDIR, path);
    const std::optional<int> value = attributes(path);
    if (!value) throw FolderError(ENOENT, path);
    return {root_ && *root_ == IdentityOf(info), *value, IdentityOf(info)};
}

std::vector<std::string> PosixFileSystem::subfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    const int error = ForEachEntry(folder, [&](std::string_view name, EntryType type) {
        if (type == EntryType::kFolder) names.emplace_back(name);
    });
    if (error != 0) throw FolderError(error, folder);
    return names;
}

std::vector<std::string> PosixFileSystem::fileNames(const std::string& folder) {
    std::vector<std::string> names;
    visitFileNames(folder, [&](std::string_view name) { names.emplace_back(name); });
    return names;
}

void PosixFileSystem::visitFileNames(const std::string& folder,
                                     const std::function<void(std::string_view)>& visit) {
    ForEachEntry(folder, [&](std::string_view name, EntryType type) {
        if (type != EntryType::kFolder) visit(name);
    });
}

bool PosixFileSystem::listFolder(const std::string& folder,
                                 const std::function<bool(const FileIdentity&)>& accept,
                                 const std::function<void(std::string_view, EntryType)>& visit) {
    Dir dir;
    struct stat info {};
    if (const int error = OpenFolder(folder, dir, info)) {
        throw FolderError(error, folder);
    }
    if (!accept(IdentityOf(info))) return false;
    if (const int error = ForEachEntry(dir.get(), visit)) throw FolderError(error, folder);
    return true;
}

bool PosixFileSystem::isExistingFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::pathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace tessaly
