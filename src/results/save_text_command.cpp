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

void SaveTextCommand::run() {
    Trap trap(services_.errors, kProcedure);
    std::string name;
    trap.step(kAskName, [&] { name = services_.askFileName(); });
    if (name.empty()) return;  // cancelled

    bool exists = false;
    bool replace = false;
    trap.step(kCheckExists, [&] { exists = services_.files.PathExists(name); });
    if (exists) {
        trap.step(kAskReplace,
                  [&] { replace = services_.boxes.askYesNo(OverwriteQuestion(name)); });
    } else {
        replace = true;
    }
    if (!replace) return;

    trap.step(kBusy, [&] { services_.pointer.setPointer(kBusyPointer); });
    bool closing = false;
    trap.step(kWrite, [&] {
        const ResultListTable table(services_.results);
        try {
            closing = !WriteListAsText(table, name, services_.files, services_.busyYield());
        } catch (const NoReaderError& e) {
            services_.boxes.showNotice(e.what());  // the results stay; the user may try again
        }
    });
    if (closing) return;
    trap.step(kNotBusy, [&] { services_.pointer.setPointer(kArrowPointer); });
}

}  // namespace tessaly
