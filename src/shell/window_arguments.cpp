#include "window_arguments.h"

#include "product.h"

namespace tessaly {

WindowArguments ParseWindowArguments(const std::vector<std::string>& arguments,
                                     const std::string& workingFolder) {
    WindowArguments out;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
            continue;
        }
        if (options && (argument == "--help" || argument == "-h")) {
            return {WindowArguments::Action::kHelp, {}, {}};
        }
        if (options && (argument == "--version" || argument == "-V")) {
            return {WindowArguments::Action::kVersion, {}, {}};
        }
        if (options && argument.size() > 1 && argument[0] == '-') {
            out.action = WindowArguments::Action::kUsageError;
            out.error = "unknown option " + argument;
            continue;  // a later --help still answers
        }
        if (argument.empty()) continue;
        if (argument[0] == '/' || workingFolder.empty()) {
            out.paths.push_back(argument);
        } else {
            out.paths.push_back(workingFolder + (workingFolder.ends_with('/') ? "" : "/") +
                                argument);
        }
    }
    if (out.action == WindowArguments::Action::kUsageError) out.paths.clear();
    return out;
}

std::string WindowUsageText() {
    return "Usage: tessaly [OPTION]... [FILE]...\n"
           "Open the Tessaly window to pull telephone numbers out of many files at once.\n"
           "Each FILE is put in the input list; a folder gives the files in it and in its\n"
           "subfolders.\n"
           "\n"
           "  -h, --help      show this text and exit\n"
           "  -V, --version   show the version and exit\n"
           "  --              every argument after it is a FILE\n"
           "\n"
           "Qt's own options (-platform, -style, ...) are taken as well. See tessaly(1); the\n"
           "command-line extractor is tessaly-extract(1).\n";
}

std::string WindowVersionText() {
    return "tessaly " + std::string(kProductVersion) + "\n";
}

}  // namespace tessaly
