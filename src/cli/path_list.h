#pragma once
// The paths of --files-from: a file (or standard input) holding one path a line, or paths
// separated by NUL bytes exactly as find -print0 writes them. The list may come from a pipe
// (--files-from <(find ...)): the user named it to be read. It is read as the scan asks for
// paths, so a list of a million paths never stands in memory whole.

#include <functional>
#include <optional>
#include <string>

namespace tessaly::cli {

class PathList {
  public:
    // Opens the list of `source` ("-": standard input). Throws std::runtime_error with a
    // description when it cannot be read. An entry that cannot be a path is left out and
    // described to `refuse`.
    PathList(const std::string& source, bool nullSeparated,
             std::function<void(std::string)> refuse = {});
    ~PathList();
    PathList(const PathList&) = delete;
    PathList& operator=(const PathList&) = delete;

    // The next path, empty entries left out; nothing at the end of the list, or once reading
    // it failed part-way (error() then says why).
    std::optional<std::string> next();
    const std::string& error() const { return error_; }

  private:
    std::string name_;
    int fd_ = -1;
    char separator_;
    std::string buffer_;
    std::size_t used_ = 0;  // bytes of buffer_ already handed out
    bool ended_ = false;
    std::string error_;
    std::function<void(std::string)> refuse_;
    std::size_t line_ = 0;  // of the entry last handed out, counting empty ones
};

}  // namespace tessaly::cli
