#include "save_text_command.h"

#include <string>

#include "error_report.h"
#include "result_list_table.h"
#include "save_list.h"

namespace tessaly {

SaveTextCommand::SaveTextCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                                 WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                                 SafeFileWriter& files, Pacing pacing)
    : services_{results, dialog, boxes, pointer, loop, errors, files, std::move(pacing)} {}

void SaveTextCommand::PushButton6_Click() {
    Trap trap(services_.errors, procedure::kSaveText);
    std::string name;
    trap.step(112, [&] { name = services_.askFileName(); });
    if (name.empty()) return;  // cancelled

    bool exists = false;
    bool replace = false;
    trap.step(118, [&] { exists = services_.files.PathExists(name); });
    if (exists) {
        trap.step(120, [&] { replace = services_.boxes.askYesNo(OverwriteQuestion(name)); });
    } else {
        replace = true;
    }
    if (!replace) return;

    trap.step(126, [&] { services_.pointer.setPointer(kBusyPointer); });
    bool closing = false;
    trap.step(128, [&] {
        const ResultListTable table(services_.results);
        closing = !WriteListAsText(table, name, services_.files, services_.busyYield());
    });
    if (closing) return;
    trap.step(130, [&] { services_.pointer.setPointer(kArrowPointer); });
}

}  // namespace tessaly
