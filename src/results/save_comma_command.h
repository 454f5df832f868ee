#pragma once
// "Save As Comma Delimited": asks for a file name, then, under the busy pointer, asks whether
// to replace an existing file and writes every result as comma-delimited lines. Nothing is
// shown once the file is written.

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_writer.h"
#include "platform/message_boxes.h"
#include "platform/save_dialog.h"
#include "platform/window_pointer.h"
#include "result_list.h"
#include "yield_pacer.h"

namespace tessaly {

class SaveCommaCommand {
  public:
    SaveCommaCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                     WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                     SafeFileWriter& files, Pacing pacing = {});

    void PushButton2_Click();

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
