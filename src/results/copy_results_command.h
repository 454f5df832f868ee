#pragma once
// "Copy Results To Clipboard": puts the results on the clipboard, one per line, and tells the
// user how to paste them. It shows no busy pointer.

#include <string_view>

#include "platform/clipboard.h"
#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/message_boxes.h"
#include "result_list.h"
#include "yield_pacer.h"

namespace tessaly {

inline constexpr std::string_view kCopiedNotice =
    "Results have been copied to the clipboard.\r\r"
    "Click a text area where you normally type and press Ctrl+V to paste the clipboard.";

class CopyResultsCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton8_Click";
    enum Step : int {
        kCopy = 106,
        kTellCopied = 108,
    };

    CopyResultsCommand(ResultList& results, Clipboard& clipboard, MessageBoxes& boxes,
                       EventLoop& loop, ErrorBox& errors, Pacing pacing = {});

    void run();

  private:
    ResultList& results_;
    Clipboard& clipboard_;
    MessageBoxes& boxes_;
    EventLoop& loop_;
    ErrorBox& errors_;
    Pacing pacing_;
};

}  // namespace tessaly
