// tessaly: the window. Its arguments are files and folders for the input list (how the desktop
// opens files with it), or --help and --version, answered without a window; the settings and the
// optional files beside the program are all there is to configure.

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
#include "window_arguments.h"

int main(int argc, char** argv) {
    // A save that reaches a file-size limit is a failed write, reported like any other, not the
    // end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // A save onto a pipe whose reader went away is a failed write as well.
    std::signal(SIGPIPE, SIG_IGN);
    using tessaly::WindowArguments;
    // Answered before Qt starts, so they work where no display is.
    const WindowArguments asked =
        tessaly::ParseWindowArguments(std::vector<std::string>(argv + 1, argv + argc), {});
    if (asked.action == WindowArguments::Action::kHelp) {
        std::fputs(tessaly::WindowUsageText().c_str(), stdout);
        return 0;
    }
    if (asked.action == WindowArguments::Action::kVersion) {
        std::fputs(tessaly::WindowVersionText().c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);  // takes Qt's own options out of argv
    std::string workingFolder;
    if (char* here = ::getcwd(nullptr, 0)) {
        workingFolder = here;
        std::free(here);
    }
    const WindowArguments arguments = tessaly::ParseWindowArguments(
        std::vector<std::string>(argv + 1, argv + argc), workingFolder);
    if (arguments.action == WindowArguments::Action::kUsageError) {
        std::fprintf(stderr, "tessaly: %s\nTry 'tessaly --help' for more information.\n",
                     arguments.error.c_str());
        return 2;
    }
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
    tessaly::QtFileWriter fileWriter(&eventLoop);
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
    // Added once the window is on screen, as a drop: a folder's walk lets the window paint.
    if (!arguments.paths.empty()) {
        QTimer::singleShot(0, &form, [&form, &arguments] { form.addPaths(arguments.paths); });
    }
    return app.exec();
}
