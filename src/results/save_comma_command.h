#pragma once
// "Save As Comma Delimited": asks for a file name, then, under the busy pointer, asks whether
// to replace an existing file and writes every result as comma-delimited lines. Nothing is
// shown once the file is written.

#include "save_services.h"

namespace tessaly {

class SaveCommaCommand {
  public:
    SaveCommaCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                     WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                     SafeFileWriter& files, Pacing pacing = {});

    void PushButton2_Click();

  private:
    SaveServices services_;
};

}  // namespace tessaly
