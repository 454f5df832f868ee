#pragma once
// "Add File(s)": the files picked in the open-file dialog become rows of the input list, in the
// order the dialog returns them. A selection too large for the dialog's result is refused with
// a message that points to the folder import.

#include <cstddef>
#include <string_view>

#include "input_list.h"
#include "platform/error_box.h"
#include "platform/message_boxes.h"
#include "platform/open_files_dialog.h"

namespace tessaly {

inline constexpr std::string_view kAddFilesTitle =
    "Add File(s) - Hold Ctrl to select multiple files";
inline constexpr std::string_view kAddFilesFilter = "All Files (*.*)|*.*|";
inline constexpr std::size_t kAddFilesResultLimit = 30000;
inline constexpr std::string_view kTooManyFilesMessage =
    "You've selected too many files to add.\r\r"
    "Please try adding via the \"Add All\" button.";

class AddFilesCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton1_Click";
    enum Step : int {
        kAskFiles = 108,
        kAddSingleFile = 118,
        kJoinPath = 128,
        kTidyPath = 130,
        kAddPath = 132,
    };

    AddFilesCommand(InputList& list, OpenFilesDialog& dialog, MessageBoxes& messageBoxes,
                    ErrorBox& errorBox)
        : list_(list), dialog_(dialog), messageBoxes_(messageBoxes), errorBox_(errorBox) {}

    // The button's handler. A row that fails is reported and the other picked files still
    // come in.
    void run();

  private:
    InputList& list_;
    OpenFilesDialog& dialog_;
    MessageBoxes& messageBoxes_;
    ErrorBox& errorBox_;
};

}  // namespace tessaly
