#pragma once
// Which files of a walked folder tree the importers take, shared by the folder import, a
// dropped folder and the command-line extractor.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "folder_walk.h"

namespace tessaly {

// Hidden and archived, nothing else: a hidden regular file. Such a file is never imported.
inline constexpr int kHiddenArchivedFile = 34;

// The pattern for an extension answer: "*." and the answer, so "*" gives "*.*" (every file).
std::string ExtensionPattern(std::string_view extension);

// A name beginning with "~" is the temporary copy of an open document: never imported.
bool IsTemporaryName(std::string_view name);

// True for an existing file whose attribute value is not 34. Throws std::runtime_error when
// the attributes of an existing file cannot be read.
bool IsImportableFile(FileSystem& files, const std::string& path);

// The tidy path of `name` in `folder` (no separator at its end) when the importers take it:
// not a temporary name, an importable file that can be examined; nothing otherwise.
std::optional<std::string> TakenFilePath(FileSystem& files, std::string_view folder,
                                         std::string_view name);

// Walks `folder` with all its subfolders and hands every importable file matching `pattern`
// to `append`, as a tidy path: folder by folder in walk order, per folder in listing order.
// A file that cannot be examined is skipped; a folder that cannot be read is added to
// `unreadable`. The event loop is served throughout, also while the files are listed. False
// when the window closed meanwhile.
bool CollectFolderTreeFiles(const WalkServices& services, const std::string& folder,
                            std::string_view pattern,
                            const std::function<void(std::string)>& append,
                            std::vector<UnreadableFolder>& unreadable);

// How many paths of unreadable folders an import's notice names.
inline constexpr std::size_t kUnreadableFoldersShown = 5;

// The notice that ends an import which left folders out because they could not be read: how
// many, and the first kUnreadableFoldersShown of them.
std::string UnreadableFoldersNotice(const std::vector<UnreadableFolder>& unreadable);

}  // namespace tessaly
