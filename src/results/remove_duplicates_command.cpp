#include "remove_duplicates_command.h"

#include <string>

#include "duplicate_removal.h"
#include "error_report.h"

namespace tessaly {

RemoveDuplicatesCommand::RemoveDuplicatesCommand(ResultList& results, MessageBoxes& boxes,
                                                 WindowPointer& pointer, EventLoop& loop,
                                                 ErrorBox& errors, Pacing pacing)
    : results_(results),
      boxes_(boxes),
      pointer_(pointer),
      loop_(loop),
      errors_(errors),
      pacing_(std::move(pacing)) {}

void RemoveDuplicatesCommand::run() {
    Trap trap(errors_, kProcedure);
    bool empty = false;
    trap.step(kCheckEmpty, [&] { empty = results_.empty(); });
    if (empty) {
        trap.step(kTellNoResults, [&] { boxes_.showNotice(std::string(kNoResultsNotice)); });
        return;
    }
    trap.step(kBusy, [&] { pointer_.setPointer(kBusyPointer); });
    bool closing = false;
    trap.step(kRemove, [&] {
        // Whatever ran meanwhile may have put its own pointer up; the removal is still going.
        auto keepBusy = [this] {
            if (!pointer_.isBusy()) pointer_.setPointer(kBusyPointer);
        };
        const WalkYield yield{&loop_, pacing_, keepBusy};
        closing = !RemoveDuplicateRows(results_, yield);
    });
    if (closing) return;
    trap.step(kNotBusy, [&] { pointer_.setPointer(kDefaultPointer); });
}

}  // namespace tessaly
