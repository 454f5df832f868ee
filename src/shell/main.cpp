// tessaly: the window. It takes no command-line arguments; the settings and the optional files
// beside the program are all there is to configure.

#include <QApplication>

#include <csignal>

#include "main_window.h"
#include "posix_file_system.h"
#include "product.h"
#include "qt_clipboard.h"
#include "qt_error_box.h"
#include "qt_event_loop.h"
#include "qt_file_writer.h"
#include "qt_folder_chooser.h"
#include "qt_message_boxes.h"
#include "qt_open_files_dialog.h"
#include "qt_save_dialog.h"
#include "qt_settings_store.h"
#include "qt_shell_launcher.h"
#include "qt_text_prompt.h"

int main(int argc, char** argv) {
    // A save that reaches a file-size limit is a failed write, reported like any other, not the
    // end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(
        QString::fromUtf8(tessaly::kProductTitle.data(), qsizetype(tessaly::kProductTitle.size())));
    // The desktop entry of the same name gives the window its icon and its place in the menu.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(
        tessaly::kApplicationId.data(), qsizetype(tessaly::kApplicationId.size())));

    tessaly::QtMessageBoxes messageBoxes;
    tessaly::QtErrorBox errorBox;
    tessaly::QtEventLoop eventLoop;
    tessaly::QtShellLauncher shell;
    tessaly::QtSettingsStore settings;
    tessaly::PosixFileSystem fileSystem;
    tessaly::QtOpenFilesDialog openFiles;
    tessaly::QtTextPrompt textPrompt;
    tessaly::QtFolderChooser folderChooser;
    tessaly::QtSaveDialog saveDialog;
    tessaly::QtFileWriter fileWriter;
    tessaly::QtClipboard clipboard;

    tessaly::MainWindow form({messageBoxes, errorBox, eventLoop, shell, settings, fileSystem,
                              openFiles, textPrompt, folderChooser, saveDialog, fileWriter,
                              clipboard});
    // The application title is fixed only during start-up, after the boxes were made.
    const auto applicationTitle = [&form] {
        return QString::fromStdString(form.applicationTitle());
    };
    messageBoxes.setOwner(&form, applicationTitle);
    textPrompt.setOwner(&form, applicationTitle);
    errorBox.setOwner(&form);
    openFiles.setOwner(&form);
    folderChooser.setOwner(&form);
    saveDialog.setOwner(&form);
    // Closing the window ends the program at once, also in the middle of a command.
    QObject::connect(&form, &tessaly::MainWindow::closing, &app, [&eventLoop] {
        eventLoop.setClosing();
        QCoreApplication::quit();
    });

    form.startUp();
    form.show();
    return app.exec();
}
