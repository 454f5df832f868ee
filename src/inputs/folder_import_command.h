#pragma once
// "Add All File(s) In Folder": asks for an extension and a folder, walks the folder with all
// its subfolders and appends every file of that extension to the input list. The extension and
// the folder are remembered as the next defaults.

#include <string>
#include <string_view>

#include "folder_walk.h"
#include "input_list.h"
#include "platform/folder_chooser.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "platform/text_prompt.h"
#include "platform/window_pointer.h"

namespace tessaly {

inline constexpr std::string_view kExtensionPrompt =
    "Enter file extension to load:\r\r"
    "(* for all files, txt for all txt files, doc for all doc files, etc.)";
inline constexpr std::string_view kFolderPrompt = "Please select folder:";
inline constexpr std::string_view kExtensionKey = "Extension";
inline constexpr std::string_view kExtensionDefault = "txt";
inline constexpr std::string_view kLastFolderKey = "LastFolder";

class FolderImportCommand {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton4_Click";
    enum Step : int {
        kAskExtension = 100,
        kStoreExtension = 104,
        kChooseFolder = 106,
        kStoreFolder = 334,
        kBusy = 110,
        kWalkFolders = 114,
        kListFiles = 120,
        kAddFile = 128,
        kNotBusy = 132,
        kTellUnreadable = 136,
    };

    FolderImportCommand(InputList& list, TextPrompt& prompt, FolderChooser& chooser,
                        SettingsStore& settings, WindowPointer& pointer,
                        const WalkServices& services, MessageBoxes& boxes)
        : list_(list),
          prompt_(prompt),
          chooser_(chooser),
          settings_(settings),
          pointer_(pointer),
          services_(services),
          boxes_(boxes) {}

    // The button's handler. Failures are reported step by step and the import goes on; the
    // busy pointer it sets is always taken away again. Folders that could not be read are
    // named in one notice once the pointer is back.
    void run();

  private:
    InputList& list_;
    TextPrompt& prompt_;
    FolderChooser& chooser_;
    SettingsStore& settings_;
    WindowPointer& pointer_;
    WalkServices services_;
    MessageBoxes& boxes_;
};

}  // namespace tessaly
