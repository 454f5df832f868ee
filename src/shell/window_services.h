#pragma once
// What the main window needs from the platform, passed in so that tests build the window over
// fakes, and what of it may vary between a real start and a test.

#include <functional>
#include <string>

#include "platform/clipboard.h"
#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_system.h"
#include "platform/file_writer.h"
#include "platform/folder_chooser.h"
#include "platform/message_boxes.h"
#include "platform/open_files_dialog.h"
#include "platform/save_dialog.h"
#include "platform/settings_store.h"
#include "platform/shell_launcher.h"
#include "platform/text_prompt.h"
#include "yield_pacer.h"

namespace tessaly {

struct WindowServices {
    MessageBoxes& messageBoxes;
    ErrorBox& errorBox;
    EventLoop& eventLoop;
    ShellLauncher& shell;
    SettingsStore& settings;
    FileSystem& fileSystem;
    // The dialogs and the clipboard of the commands that fill the input list and put the
    // results out.
    OpenFilesDialog& openFiles;
    TextPrompt& textPrompt;
    FolderChooser& folderChooser;
    SaveDialog& saveDialog;
    SafeFileWriter& fileWriter;
    Clipboard& clipboard;
};

struct WindowConfig {
    // The folder that holds the program (bytes, no trailing separator), where the data files
    // are looked for first (then in its "../share/tessaly"); empty: the running program's own
    // folder.
    std::string programFolder;
    // A whole number from 1 to 100, uniformly at random; empty: a generator seeded with the
    // time of day at this start.
    std::function<int()> drawOneToHundred;
    // How often a long command hands control to the event loop.
    Pacing pacing;
};

}  // namespace tessaly
