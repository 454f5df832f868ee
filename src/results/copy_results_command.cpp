#include "copy_results_command.h"

#include <string>

#include "clipboard_copy.h"
#include "error_report.h"
#include "result_list_table.h"

namespace tessaly {

CopyResultsCommand::CopyResultsCommand(ResultList& results, Clipboard& clipboard,
                                       MessageBoxes& boxes, EventLoop& loop, ErrorBox& errors,
                                       Pacing pacing)
    : results_(results),
      clipboard_(clipboard),
      boxes_(boxes),
      loop_(loop),
      errors_(errors),
      pacing_(std::move(pacing)) {}

void CopyResultsCommand::run() {
    Trap trap(errors_, kProcedure);
    CopyOutcome outcome = CopyOutcome::kCopied;
    const bool built = trap.step(kCopy, [&] {
        const ResultListTable table(results_);
        outcome = CopyListToClipboard(table, clipboard_, WalkYield{&loop_, pacing_, {}});
    });
    // A failed build was reported and left the clipboard as it was: nothing to tell beyond that.
    if (!built || outcome == CopyOutcome::kClosing) return;
    trap.step(kTellCopied, [&] {
        boxes_.showNotice(
            std::string(outcome == CopyOutcome::kBusy ? kClipboardBusyNotice : kCopiedNotice));
    });
}

}  // namespace tessaly
