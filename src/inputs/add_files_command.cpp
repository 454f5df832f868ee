#include "add_files_command.h"

#include <string>
#include <vector>

#include "error_report.h"
#include "path_rules.h"

namespace tessaly {

namespace {

std::vector<std::string> SplitAtNul(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nul = text.find('\0', start);
        parts.push_back(text.substr(start, nul - start));
        if (nul == std::string::npos) return parts;
        start = nul + 1;
    }
}

}  // namespace

void AddFilesCommand::run() {
    Trap trap(errorBox_, kProcedure);

    const OpenFilesRequest request{std::string(kAddFilesTitle), std::string(kAddFilesFilter), true,
                                   kAddFilesResultLimit};
    OpenFilesChoice choice;
    trap.step(kAskFiles, [&] { choice = dialog_.chooseOpenFiles(request); });
    if (choice.bufferTooSmall) {
        messageBoxes_.showNotice(std::string(kTooManyFilesMessage));
        return;
    }
    if (choice.resultText.empty()) return;

    const std::vector<std::string> parts = SplitAtNul(choice.resultText);
    if (parts.size() == 1) {
        // A single pick is taken exactly as the dialog gave it.
        trap.step(kAddSingleFile, [&] { list_.append(parts.front()); });
        return;
    }
    // Several picks: the folder, then the names. A folder that ends in a separator (the root
    // folder) would give a doubled one, which the tidying removes.
    for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string path;
        if (!trap.step(kJoinPath, [&] { path = JoinPath(parts.front(), parts[i]); })) continue;
        if (!trap.step(kTidyPath, [&] { path = RemoveDoubleSlashes(path); })) continue;
        trap.step(kAddPath, [&] { list_.append(std::move(path)); });
    }
}

}  // namespace tessaly
