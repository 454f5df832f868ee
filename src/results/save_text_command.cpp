#include "save_text_command.h"

#include <string>

#include "error_report.h"
#include "result_list_table.h"
#include "save_list.h"
#include "save_prompts.h"

namespace tessaly {

SaveTextCommand::SaveTextCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                                 WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                                 SafeFileWriter& files, Pacing pacing)
    : results_(results),
      dialog_(dialog),
      boxes_(boxes),
      pointer_(pointer),
      loop_(loop),
      errors_(errors),
      files_(files),
      pacing_(std::move(pacing)) {}

void SaveTextCommand::PushButton6_Click() {
    Trap trap(errors_, procedure::kSaveText);
    std::string name;
    trap.step(112, [&] {
        name =
            dialog_.chooseSaveFile(std::string(kSaveDialogTitle), std::string(kSaveDialogFilter));
    });
    if (name.empty()) return;  // cancelled

    bool exists = false;
    bool replace = false;
    trap.step(118, [&] { exists = files_.PathExists(name); });
    if (exists) {
        trap.step(120, [&] { replace = boxes_.askYesNo(OverwriteQuestion(name)); });
    } else {
        replace = true;
    }
    if (!replace) return;

    trap.step(126, [&] { pointer_.setPointer(kBusyPointer); });
    bool closing = false;
    trap.step(128, [&] {
        const ResultListTable table(results_);
        // Whatever ran meanwhile may have put its own pointer up; the write is still going.
        auto keepBusy = [this] {
            if (!pointer_.isBusy()) pointer_.setPointer(kBusyPointer);
        };
        const WalkYield yield{&loop_, pacing_, keepBusy};
        closing = !WriteListAsText(table, name, files_, yield);
    });
    if (closing) return;
    trap.step(130, [&] { pointer_.setPointer(kArrowPointer); });
}

}  // namespace tessaly
