#pragma once
// "Remove Duplicates From Results": keeps the first of every repeated number and removes the
// rest, under the busy pointer; refuses an empty list with a notice. No message tells how many
// rows went.

#include <string_view>

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/message_boxes.h"
#include "platform/window_pointer.h"
#include "result_list.h"
#include "yield_pacer.h"

namespace tessaly {

inline constexpr std::string_view kNoResultsNotice = "You must have results first.";

class RemoveDuplicatesCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton12_Click";
    enum Step : int {
        kCheckEmpty = 100,
        kTellNoResults = 102,
        kBusy = 104,
        kRemove = 106,
        kNotBusy = 108,
    };

    RemoveDuplicatesCommand(ResultList& results, MessageBoxes& boxes, WindowPointer& pointer,
                            EventLoop& loop, ErrorBox& errors, Pacing pacing = {});

    void run();

  private:
    ResultList& results_;
    MessageBoxes& boxes_;
    WindowPointer& pointer_;
    EventLoop& loop_;
    ErrorBox& errors_;
    Pacing pacing_;
};

}  // namespace tessaly
