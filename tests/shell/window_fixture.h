#pragma once
// The main window over fakes of every platform service, with the folder "bin" of a temporary
// folder standing in for the program's own (so its "../share/tessaly" is in there too). Start-up
// draws 1 from the home-page lottery, so no browser is asked for, and long commands hand control to
// the (fake) event loop at every opportunity.

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "main_window.h"
#include "posix_file_system.h"
#include "support/fake_clipboard.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_file_writer.h"
#include "support/fake_folder_chooser.h"
#include "support/fake_message_boxes.h"
#include "support/fake_open_files_dialog.h"
#include "support/fake_save_dialog.h"
#include "support/fake_settings_store.h"
#include "support/fake_shell_launcher.h"
#include "support/fake_text_prompt.h"

namespace tessaly::testing {

class WindowFixture {
  public:
    WindowFixture() {
        config.pacing = Pacing{std::chrono::microseconds(0), {}};
        QDir(programDir.path()).mkpath("bin");
        config.programFolder = programDir.path().toStdString() + "/bin";
    }

    MainWindow& create() {
        form = std::make_unique<MainWindow>(
            WindowServices{boxes, errors, *eventLoop, shell, settings, fileSystem, openFiles,
                           textPrompt, folderChooser, saveDialog, fileWriter, clipboard},
            config);
        return *form;
    }
    MainWindow& start() {
        create().startUp();
        return *form;
    }
    // Started and on screen, for tests that click and type.
    MainWindow& show() {
        start().show();
        if (!QTest::qWaitForWindowExposed(form.get())) qWarning("window not exposed");
        return *form;
    }

    // Presses a key sequence ("Ctrl+O", "Alt+T", "F1") on the shown, active window, or clicks
    // the button of that name.
    void press(const QString& what) {
        if (!what.contains('+') && !what.startsWith('F')) {
            find<QAbstractButton>(qPrintable(what))->click();
            return;
        }
        QApplication::setActiveWindow(form.get());
        QTest::keySequence(form.get(), QKeySequence(what));
        // An access key presses its button as a click shown for a moment, then clicks.
        if (what.startsWith("Alt+")) QTest::qWait(250);
    }
    // A key sequence needs the window on screen; a click does not.
    MainWindow& startFor(const QString& what) {
        return what.contains('+') || what.startsWith('F') ? show() : start();
    }

    template <class T>
    T* find(const char* name) const {
        T* widget = form->findChild<T*>(QLatin1String(name));
        if (!widget) qFatal("no control named %s", name);
        return widget;
    }

    std::string programPath(const char* name) const {
        return programDir.path().toStdString() + "/bin/" + name;
    }
    // A path in the shared data folder of an installation, made when `make` names a folder.
    std::string sharedPath(const char* name) const {
        QDir(programDir.path()).mkpath("share/tessaly");
        return programDir.path().toStdString() + "/share/tessaly/" + name;
    }

    QTemporaryDir programDir;
    FakeMessageBoxes boxes;
    FakeErrorBox errors;
    FakeEventLoop loop;
    EventLoop* eventLoop = &loop;  // a test may put the real one in its place
    FakeShellLauncher shell;
    FakeSettingsStore settings;
    PosixFileSystem fileSystem;
    FakeOpenFilesDialog openFiles;
    FakeTextPrompt textPrompt;
    FakeFolderChooser folderChooser;
    FakeSaveDialog saveDialog;
    FakeFileWriter fileWriter;
    FakeClipboard clipboard;
    WindowConfig config{{}, [] { return 1; }, {}};
    std::unique_ptr<MainWindow> form;
};

// A point of `widget` where none of its own controls lies.
inline QPoint BarePoint(QWidget* widget) {
    for (int y = widget->height() - 2; y > 0; y -= 3) {
        for (int x = widget->width() - 2; x > 0; x -= 3) {
            if (!widget->childAt(x, y)) return QPoint(x, y);
        }
    }
    qFatal("no bare point");
}

// The pointer moving over `widget`, delivered as the window system would.
inline void MovePointer(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
inline void MovePointer(QWidget* widget) {
    MovePointer(widget, widget->rect().center());
}

}  // namespace tessaly::testing
