#include "save_comma_command.h"

#include <string>

#include "error_report.h"
#include "result_list_table.h"
#include "save_comma.h"
#include "save_prompts.h"

namespace tessaly {

SaveCommaCommand::SaveCommaCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
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

void SaveCommaCommand::PushButton2_Click() {
    Trap trap(errors_, procedure::kSaveComma);
    std::string name;
    trap.step(114, [&] {
        name =
            dialog_.chooseSaveFile(std::string(kSaveDialogTitle), std::string(kSaveDialogFilter));
    });
    if (name.empty()) return;  // cancelled

    trap.step(120, [&] { pointer_.setPointer(kBusyPointer); });
    bool closing = false;
    trap.step(122, [&] {
        const ResultListTable table(results_);
        // Whatever ran meanwhile may have put its own pointer up; the write is still going.
        auto keepBusy = [this] {
            if (!pointer_.isBusy()) pointer_.setPointer(kBusyPointer);
        };
        const WalkYield yield{&loop_, pacing_, keepBusy};
        closing = !WriteListCommaDelimited(table, name, files_, boxes_, yield);
    });
    if (closing) return;
    trap.step(124, [&] { pointer_.setPointer(kArrowPointer); });
}

}  // namespace tessaly
