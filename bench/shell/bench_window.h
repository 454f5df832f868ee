#pragma once
// The real window for benchmarks: offscreen, on Qt's own event loop, with the boxes, settings
// and desktop replaced by recorders so that nothing waits for a user.

#include <QTemporaryDir>
#include <memory>

#include "main_window.h"
#include "posix_file_system.h"
#include "qt_event_loop.h"
#include "support/fake_clipboard.h"
#include "support/fake_error_box.h"
#include "support/fake_file_writer.h"
#include "support/fake_folder_chooser.h"
#include "support/fake_message_boxes.h"
#include "support/fake_open_files_dialog.h"
#include "support/fake_save_dialog.h"
#include "support/fake_settings_store.h"
#include "support/fake_shell_launcher.h"
#include "support/fake_text_prompt.h"

namespace tessaly::bench {

class BenchWindow {
  public:
    BenchWindow() {
        form = std::make_unique<MainWindow>(
            WindowServices{boxes, errors, loop, shell, settings, fileSystem, openFiles, textPrompt,
                           folderChooser, saveDialog, fileWriter, clipboard},
            WindowConfig{programDir.path().toStdString(), [] { return 1; }, {}});
        form->startUp();
        form->show();
    }

    QTemporaryDir programDir;
    testing::FakeMessageBoxes boxes;
    testing::FakeErrorBox errors;
    QtEventLoop loop;
    testing::FakeShellLauncher shell;
    testing::FakeSettingsStore settings;
    PosixFileSystem fileSystem;
    testing::FakeOpenFilesDialog openFiles;
    testing::FakeTextPrompt textPrompt;
    testing::FakeFolderChooser folderChooser;
    testing::FakeSaveDialog saveDialog;
    testing::FakeFileWriter fileWriter;
    testing::FakeClipboard clipboard;
    std::unique_ptr<MainWindow> form;
};

}  // namespace tessaly::bench
