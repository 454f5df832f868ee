#pragma once
// "Save As Comma Delimited": asks for a file name, then, under the busy pointer, asks whether
// to replace an existing file and writes every result as comma-delimited lines. Nothing is
// shown once the file is written.

#include <string_view>
#include "save_services.h"

namespace tessaly {

class SaveCommaCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton2_Click";
    enum Step : int {
        kAskName = 114,
        kBusy = 120,
        kWrite = 122,
        kNotBusy = 124,
    };

    SaveCommaCommand(ResultList& results, SaveDialog& dialog, MessageBoxes& boxes,
                     WindowPointer& pointer, EventLoop& loop, ErrorBox& errors,
                     SafeFileWriter& files, Pacing pacing = {});

    void run();

  private:
    SaveServices services_;
};

}  // namespace tessaly
