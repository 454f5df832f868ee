#pragma once
// "Save Results As Text File": asks for a file name and, for an existing file, whether to
// replace it, then writes the results as the padded text table under the busy pointer. Nothing
// is shown once the file is written.

#include "save_services.h"

namespace tessaly {

class SaveTextCommand {
  public:
    SaveTextCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                    WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                    SafeFileWriter& files, Pacing pacing = {});

    void PushButton6_Click();

  private:
    SaveServices services_;
};

}  // namespace tessaly
