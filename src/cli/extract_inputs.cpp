#include "extract_inputs.h"

#include <sys/stat.h>

#include <algorithm>

#include "own_output.h"

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
                             std::optional<FileIdentity> target, RunReport& report)
    : arguments_(arguments),
      own_(std::move(own)),
      target_(target),
      report_(report),
      listed_(arguments.filesFrom ? std::make_unique<PathList>(
                                        *arguments.filesFrom, arguments.nullSeparated,
                                        [this](std::string refused) {
                                            report_.failureBefore(given_, std::move(refused));
                                        })
                                  : nullptr),
      paths_([this] { return named(); }, arguments.extensions, fileSystem_, walkFailures_) {}

std::optional<std::string> ExtractInputs::named() {
    if (nextArgument_ < arguments_.files.size()) return arguments_.files[nextArgument_++];
    if (!listed_) return std::nullopt;
    std::optional<std::string> path = listed_->next();
    // A list that failed part-way gave the paths before the failure.
    if (!path && !listed_->error().empty()) {
        report_.failureBefore(given_, listed_->error());
        listed_.reset();
    }
    // An entry that is the output ends the list, and the run without replacing the output.
    if (path && target_ && RegularFileIdentity(*path) == *target_) {
        listedOutput_ = std::move(path);
        listed_.reset();
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> ExtractInputs::next() {
    // The output and its temporary file exist by now; reading them would read what is being
    // written, without end.
    std::optional<std::string> path = paths_.next();
    while (path && IsOwn(*path, own_)) {
        // Said once; the temporary file is no file of the user's and goes unsaid.
        if (!outputMet_ && target_ && RegularFileIdentity(*path) == *target_) {
            outputMet_ = true;
            report_.noteBefore(given_, *path + ": the output itself; not read");
        }
        path = paths_.next();
    }
    if (path) ++given_;
    return path;
}

}  // namespace tessaly::cli
