#include "extract_inputs.h"

#include <sys/stat.h>

#include <algorithm>

namespace tessaly::cli {

namespace {

// True when `path` names one of `own` (the output), by whatever name it goes.
bool IsOwn(const std::string& path, const std::vector<FileIdentity>& own) {
    if (own.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const FileIdentity identity{static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino)};
    return std::find(own.begin(), own.end(), identity) != own.end();
}

}  // namespace

ExtractInputs::ExtractInputs(const ExtractArguments& arguments, std::vector<FileIdentity> own,
                             RunReport& report)
    : arguments_(arguments),
      own_(std::move(own)),
      report_(report),
      listed_(arguments.filesFrom
                  ? std::make_unique<PathList>(*arguments.filesFrom, arguments.nullSeparated)
                  : nullptr),
      paths_([this] { return named(); }, arguments.extension, fileSystem_, walkFailures_) {}

std::optional<std::string> ExtractInputs::named() {
    if (nextArgument_ < arguments_.files.size()) return arguments_.files[nextArgument_++];
    if (!listed_) return std::nullopt;
    std::optional<std::string> path = listed_->next();
    // A list that failed part-way gave the paths before the failure.
    if (!path && !listed_->error().empty()) {
        report_.failureBefore(given_, listed_->error());
        listed_.reset();
    }
    return path;
}

std::optional<std::string> ExtractInputs::next() {
    // The output and its temporary file exist by now; reading them would read what is being
    // written, without end.
    std::optional<std::string> path = paths_.next();
    while (path && IsOwn(*path, own_))
        path = paths_.next();
    if (path) ++given_;
    return path;
}

}  // namespace tessaly::cli
