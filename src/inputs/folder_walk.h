#pragma once
// The folder walk: a list of folders extended with all their subfolders, level by level, and
// the files of one folder that match a pattern. The importers decide what to do with the names.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "paced_yield.h"
#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_system.h"
#include "yield_pacer.h"

namespace tessaly {

// The system's limit on a path, in bytes: a folder whose path (with its separator) is this long
// or longer cannot be listed, nor any file in it be opened, so the walk leaves it out.
inline constexpr std::size_t kFolderPathLimit = 4096;
// Attribute values of a hidden system folder, alone and as a link; such a folder is skipped.
inline constexpr int kHiddenSystemFolder = 22;
inline constexpr int kHiddenSystemFolderLink = 1046;

// What a walk needs from the platform.
struct WalkServices {
    FileSystem& files;
    EventLoop& eventLoop;
    ErrorBox& errorBox;
    Pacing pacing;
};

// True when `path` is an existing folder (its attribute value has the directory bit).
bool FolderExists(FileSystem& files, const std::string& path);
// True when `path` is an existing file.
bool IsExistingFile(FileSystem& files, const std::string& path);
// The names of the existing files of `folder` (a separator is added when missing) that match
// `pattern`, hidden ones included, folders never, in the listing order (names compared without
// regard to case). Nothing when the folder cannot be listed. With `yield`, a folder of very many
// names offers a pass of the event loop before each name it examines; once the window closes the
// listing stops there (the caller sees it in yield->stopped()).
std::vector<std::string> ListFilesInFolder(FileSystem& files, std::string folder,
                                           std::string_view pattern, PacedYield* yield = nullptr);

// A folder of the tree that could not be listed: it and its files are left out.
struct UnreadableFolder {
    std::string path;         // without the separator at its end
    std::string description;  // path and reason, as the file system said them
};

class FolderWalk {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure =
        "Marlowen2021/08/31.AddFolder.GetSubDirectories2016";
    enum Step : int {
        kLookUpFolder = 112,
        kExamineSubfolder = 158,
    };

    explicit FolderWalk(const WalkServices& services);

    // Extends `folders` (each entry ending with a separator) breadth-first: the given folders,
    // then all their subfolders, then all of theirs, and so on; within a level by parent and
    // per parent in the listing order. Names are bytes: no character of a name is special.
    // Skipped with its whole subtree: a hidden system subfolder (unless it is the root folder)
    // and one whose path reaches kFolderPathLimit. A folder that cannot be listed (missing,
    // access denied) is dropped, and so is a folder already listed under another path (a link
    // back up the tree), so every walk ends. Each folder is listed through the handle whose
    // identity was checked, so one replaced meanwhile (by a link, say) is dropped, not listed
    // under the checked name. Those that were there and could not be listed are kept in
    // unreadable() for the caller to tell of. Other failures are reported and the walk goes
    // on. Returns false when the window closed meanwhile: the list is then incomplete and
    // must not be used.
    bool collectSubfolders(std::vector<std::string>& folders, bool recurse);

    bool stopped() const { return yield_.stopped(); }
    const std::vector<UnreadableFolder>& unreadable() const { return unreadable_; }
    // The folders listed by the last collectSubfolders(), by identity, each with its path as
    // the list writes it: the folder that path must still lead to when its files are listed.
    std::map<FileIdentity, std::string> takeListed() { return std::move(listed_); }

  private:
    void walkLevel(std::vector<std::string>& folders, bool recurse);
    bool isSkippedFolder(const FolderInfo& info) const;

    FileSystem& files_;
    ErrorBox& errorBox_;
    PacedYield yield_;
    std::map<FileIdentity, std::string> listed_;
    std::vector<UnreadableFolder> unreadable_;
};

// The description of a folder found replaced when it was to be listed.
std::string ReplacedFolderText(const std::string& folder);

}  // namespace tessaly
