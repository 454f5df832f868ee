#pragma once
// The folder walk: a list of folders extended with all their subfolders, level by level, and
// the files of one folder that match a pattern. The importers decide what to do with the names.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "paced_yield.h"
#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_system.h"
#include "yield_pacer.h"

namespace tessaly {

// Folder paths longer than this are not descended into; nor are subfolders with longer names.
inline constexpr std::size_t kFolderPathLimit = 260;
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
    // per parent in the listing order. Skipped with its whole subtree: a hidden system
    // subfolder (unless it is the root folder), a subfolder with an unsafe name, and one whose
    // name is 260 characters or more. A folder whose path is 260 characters or more stays but
    // is not descended into. A folder that cannot be listed (missing, access denied) is dropped
    // silently, and so is a folder already listed under another path (a link back up the
    // tree), so every walk ends. Other failures are reported and the walk goes on. Returns
    // false when the window closed meanwhile: the list is then incomplete and must not be used.
    bool collectSubfolders(std::vector<std::string>& folders, bool recurse);

    bool stopped() const { return yield_.stopped(); }

  private:
    void walkLevel(std::vector<std::string>& folders, bool recurse);
    bool isSkippedFolder(const FolderInfo& info) const;

    FileSystem& files_;
    ErrorBox& errorBox_;
    PacedYield yield_;
    std::set<FileIdentity> listed_;
};

}  // namespace tessaly
