#include "folder_import_command.h"

#include <vector>

#include "error_report.h"
#include "folder_files.h"
#include "paced_yield.h"
#include "path_rules.h"

namespace tessaly {

void FolderImportCommand::run() {
    Trap trap(services_.errorBox, kProcedure);

    std::string answer;
    trap.step(kAskExtension, [&] {
        answer = prompt_.askText(std::string(kExtensionPrompt),
                                 settings_.readOr(kExtensionKey, kExtensionDefault));
        if (!answer.empty()) settings_.write(kExtensionKey, answer);
    });
    if (answer.empty()) return;
    trap.step(kStoreExtension, [&] { settings_.write(kExtensionKey, answer); });

    std::string chosen;
    trap.step(kChooseFolder, [&] {
        chosen =
            chooser_.chooseFolder(std::string(kFolderPrompt), settings_.readOr(kLastFolderKey, ""));
    });
    if (chosen.empty()) return;
    trap.step(kStoreFolder, [&] { settings_.write(kLastFolderKey, chosen); });

    trap.step(kBusy, [&] { pointer_.setPointer(kBusyPointer); });
    // A root folder enters as "//": every path below is tidied before it becomes a row.
    std::vector<std::string> folders{chosen + kPathSeparator};
    bool walked = false;
    FolderWalk walk(services_);
    trap.step(kWalkFolders, [&] { walked = walk.collectSubfolders(folders, true); });

    if (walked) {
        const std::string pattern = ExtensionPattern(answer);
        // Folders of many thousands of files take a while to list and examine: the window is
        // served meanwhile too, and a drop made then lands between this import's rows.
        PacedYield yield(services_.eventLoop, services_.pacing);
        for (const std::string& entry : folders) {
            const std::string folder = entry.substr(0, entry.size() - 1);
            std::vector<std::string> names;
            trap.step(kListFiles,
                      [&] { names = ListFilesInFolder(services_.files, folder, pattern, &yield); });
            for (const std::string& name : names) {
                if (!yield()) break;
                if (IsTemporaryName(name)) continue;
                const std::string path = JoinPath(folder, name);
                trap.step(kAddFile, [&] {
                    if (IsImportableFile(services_.files, path)) {
                        list_.append(RemoveDoubleSlashes(path));
                    }
                });
            }
            if (yield.stopped()) break;
        }
    }
    trap.step(kNotBusy, [&] { pointer_.setPointer(kDefaultPointer); });
    if (walked && !walk.unreadable().empty()) {
        trap.step(kTellUnreadable,
                  [&] { boxes_.showNotice(UnreadableFoldersNotice(walk.unreadable())); });
    }
}

}  // namespace tessaly
