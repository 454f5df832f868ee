#pragma once
// "Save Results As Text File": asks for a file name and, for an existing file, whether to
// replace it, then writes the results as the padded text table under the busy pointer. Nothing
// is shown once the file is written.

#include <string_view>
#include "save_services.h"

namespace tessaly {

class SaveTextCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton6_Click";
    enum Step : int {
        kAskName = 112,
        kCheckExists = 118,
        kAskReplace = 120,
        kBusy = 126,
        kWrite = 128,
        kNotBusy = 130,
    };

    SaveTextCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                    WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                    SafeFileWriter& files, Pacing pacing = {});

    void run();

  private:
    SaveServices services_;
};

}  // namespace tessaly
