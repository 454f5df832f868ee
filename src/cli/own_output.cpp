#include "own_output.h"

#include <sys/stat.h>

namespace tessaly::cli {

namespace {

std::optional<FileIdentity> IdentityIfRegular(int result, const struct stat& st) {
    if (result != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

std::optional<FileIdentity> RegularFileIdentity(const std::string& path) {
    struct stat st {};
    return IdentityIfRegular(path == "-" ? ::fstat(0, &st) : ::stat(path.c_str(), &st), st);
}

std::optional<FileIdentity> OutputTarget(const std::optional<std::string>& output) {
    if (output) return RegularFileIdentity(*output);
    struct stat st {};
    return IdentityIfRegular(::fstat(1, &st), st);
}

std::optional<std::string> NamedInputThatIs(const ExtractArguments& arguments,
                                            const FileIdentity& target) {
    for (const std::string& path : arguments.files) {
        if (RegularFileIdentity(path) == target) return path;
    }
    if (arguments.filesFrom && RegularFileIdentity(*arguments.filesFrom) == target) {
        return *arguments.filesFrom;
    }
    return std::nullopt;
}

std::string BothInputAndOutput(const std::string& path) {
    return (path == "-" ? std::string("(standard input)") : path) +
           " is both an input and the output";
}

}  // namespace tessaly::cli
