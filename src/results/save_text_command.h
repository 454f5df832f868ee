#pragma once
// "Save Results As Text File": asks for a file name and, for an existing file, whether to
// replace it, then writes the results as the padded text table under the busy pointer. Nothing
// is shown once the file is written.

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_writer.h"
#include "platform/message_boxes.h"
#include "platform/save_dialog.h"
#include "platform/window_pointer.h"
#include "result_list.h"
#include "yield_pacer.h"

namespace tessaly {

class SaveTextCommand {
  public:
    SaveTextCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                    WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                    SafeFileWriter& files, Pacing pacing = {});

    void PushButton6_Click();

  private:
    ResultList& results_;
    SaveDialog& dialog_;
    MessageBoxes& boxes_;
    WindowPointer& pointer_;
    EventLoop& loop_;
    ErrorBox& errors_;
    SafeFileWriter& files_;
    Pacing pacing_;
};

}  // namespace tessaly
