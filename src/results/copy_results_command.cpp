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
    bool closing = false;
    trap.step(kCopy, [&] {
        const ResultListTable table(results_);
        closing = !CopyListToClipboard(table, clipboard_, WalkYield{&loop_, pacing_, {}});
    });
    if (closing) return;
    trap.step(kTellCopied, [&] { boxes_.showNotice(std::string(kCopiedNotice)); });
}

}  // namespace tessaly
