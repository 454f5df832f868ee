#pragma once
// The input files a command line names: a file as it stands, a folder walked with all its
// subfolders, taking every file like a dropped folder, or only the files of some extensions like
// the folder import. The path "-" (standard input) stays as it is.
//
// The files are handed out one at a time, as the scan asks for them, in the order a dropped
// folder lists them. Only the folders of the tree being walked and the names of one folder are
// held, those packed in one buffer, so a folder of a million files costs its names and 16 bytes a
// file.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_system.h"

namespace tessaly {

class InputPaths {
  public:
    // `extensions`: answers as the folder import takes them ("txt", "*" for every file); a file
    // matching any of them is taken; none: every file.
    // A folder that cannot be listed and failures of a walk go to `errors` as they are met;
    // the expansion goes on with the next path.
    InputPaths(std::vector<std::string> paths, const std::vector<std::string>& extensions,
               FileSystem& files, ErrorBox& errors);
    // The same with the paths asked for one at a time as they are needed (nothing: no more).
    using NamedPaths = std::function<std::optional<std::string>()>;
    InputPaths(NamedPaths paths, const std::vector<std::string>& extensions, FileSystem& files,
               ErrorBox& errors);

    // The next input file; nothing once all were handed out.
    std::optional<std::string> next();

  private:
    // Without a window there is nothing to hand control to, and nothing closes.
    class NoEventLoop : public EventLoop {
      public:
        bool yield() override { return true; }
    };

    void startTree(const std::string& folder);
    void listFolder(const std::string& folder);
    std::optional<std::string> nextInFolder();

    NamedPaths named_;
    std::vector<std::string> patterns_;
    FileSystem& files_;
    ErrorBox& errors_;
    NoEventLoop loop_;
    // The folders of the tree being walked, in walk order, each ending with a separator.
    std::vector<std::string> folders_;
    std::size_t nextFolder_ = 0;
    // The folders the walk listed, whose files are not yet listed: identity and path.
    std::map<FileIdentity, std::string> collected_;
    // The folder being handed out, without its separator, and the names of its files that
    // match the pattern: each ends with a zero byte in `names_`, `listing_` in listing order.
    struct ListedName {
        std::uint64_t key;  // ListingKey, so most comparisons of the sort are one
        std::size_t start;
    };
    std::string folder_;
    std::string tidyFolder_;  // tidy, with its separator
    std::string names_;
    std::vector<ListedName> listing_;
    std::size_t nextName_ = 0;
};

}  // namespace tessaly
