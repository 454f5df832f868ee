#pragma once
// What `tessaly` is asked on its command line: files and folders to put in the input list at
// start (as a desktop entry's %F hands them over), or a question it answers without a window.
// Qt takes its own options (-platform, -style, ...) before these are read.

#include <string>
#include <vector>

namespace tessaly {

struct WindowArguments {
    enum class Action { kOpenWindow, kHelp, kVersion, kUsageError };
    Action action = Action::kOpenWindow;
    // Absolute paths, in the order given; a relative one is taken from `workingFolder`.
    std::vector<std::string> paths;
    std::string error;  // for kUsageError: what was wrong
};

// Reads `arguments` (the program's name left out). --help and --version are answered wherever
// they stand before "--"; any other argument starting with "-" before "--" is an error, so a
// mistyped option never becomes a missing file. A lone "-" is a file name.
WindowArguments ParseWindowArguments(const std::vector<std::string>& arguments,
                                     const std::string& workingFolder);

// The text of --help and of --version, each ending in a line break.
std::string WindowUsageText();
std::string WindowVersionText();

}  // namespace tessaly
