// The Qt side of the platform boundary: the hotspot of pointer files, the event loop that stops
// once the window closes, the clipboard, and the save dialog.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "qt_clipboard.h"
#include "qt_cursor_file.h"
#include "qt_event_loop.h"
#include "qt_save_dialog.h"
#include "support/temp_files.h"

using namespace tessaly;

namespace {

QByteArray Directory(int reserved, int type, int count, int hotX, int hotY) {
    QByteArray bytes(22, '\0');
    auto word = [&](int at, int value) {
        bytes[at] = char(value & 0xff);
        bytes[at + 1] = char((value >> 8) & 0xff);
    };
    word(0, reserved), word(2, type), word(4, count), word(10, hotX), word(12, hotY);
    return bytes;
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void cursorHotspot_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QPoint>("hotspot");  // (-1, -1): no cursor file
        QTest::newRow("cursor") << Directory(0, 2, 1, 5, 1) << QPoint(5, 1);
        QTest::newRow("two-byte values") << Directory(0, 2, 1, 300, 258) << QPoint(300, 258);
        QTest::newRow("an icon") << Directory(0, 1, 1, 5, 1) << QPoint(-1, -1);
        QTest::newRow("no image") << Directory(0, 2, 0, 5, 1) << QPoint(-1, -1);
        QTest::newRow("reserved not 0") << Directory(1, 2, 1, 5, 1) << QPoint(-1, -1);
        QTest::newRow("cut short") << Directory(0, 2, 1, 5, 1).left(13) << QPoint(-1, -1);
    }
    void cursorHotspot() {
        QFETCH(QByteArray, bytes);
        QFETCH(QPoint, hotspot);
        const auto read = ReadCursorHotspot(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(read ? QPoint(read->x, read->y) : QPoint(-1, -1), hotspot);
    }

    // A pass handles what is pending; once closing, no pass runs at all.
    void eventLoopStopsWhenClosing() {
        QtEventLoop loop;
        int handled = 0;
        QTimer::singleShot(0, [&] { ++handled; });
        QVERIFY(loop.yield());
        QTimer::singleShot(0, [&] {
            ++handled;
            loop.setClosing();
        });
        QVERIFY(!loop.yield());
        QTimer::singleShot(0, [&] { ++handled; });
        QVERIFY(!loop.yield());
        QCOMPARE(handled, 2);
    }

    void clipboardRoundTrip() {
        QtClipboard clipboard;
        QVERIFY(clipboard.setText("8777984141\r\ncaf\xc3\xa9\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromUtf8("8777984141\r\ncaf\xc3\xa9\r\n"));
        QVERIFY(clipboard.clear());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    // The name is taken as typed, with whichever filter shows: no extension is added, and the
    // dialog asks nothing about an existing file (the command does).
    void saveDialogTakesTheNameAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::newRow("no extension, text files shown") << "numbers" << 0;
        QTest::newRow("no extension, all files shown") << "numbers" << 1;
        QTest::newRow("an extension of its own") << "numbers.csv" << 0;
        QTest::newRow("an existing file") << "existing.txt" << 0;
    }
    void saveDialogTakesTheNameAsTyped() {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        tessaly::testing::TempFiles temp;
        temp.write("existing.txt", "kept");
        const QString path = QString::fromStdString(temp.folder()) + "/" + typed;
        QString title;
        QStringList shownFilters;
        QString preselected;
        QString selected;
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            shownFilters = dialog->nameFilters();
            preselected = dialog->selectedNameFilter();
            dialog->selectNameFilter(shownFilters.value(filter));
            selected = dialog->selectedNameFilter();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            // A question of the dialog's own would hold it open: answer it with Yes.
            QTimer::singleShot(200, [&] {
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    auto* box = qobject_cast<QMessageBox*>(w);
                    if (!box || !box->isVisible()) continue;
                    asked = true;
                    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
                }
            });
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QtSaveDialog dialog;
        const std::string chosen =
            dialog.chooseSaveFile("Save", "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
        QCOMPARE(QString::fromStdString(chosen), path);
        QCOMPARE(title, QString("Save"));
        QCOMPARE(shownFilters, QStringList({"Text Files (*.txt) (*.txt)", "All Files (*.*) (*)"}));
        QCOMPARE(preselected, QString("Text Files (*.txt)"));
        QCOMPARE(selected,
                 filter == 0 ? QString("Text Files (*.txt)") : QString("All Files (*.*)"));
        QVERIFY(!asked);
    }

    // A name typed with a path of its own: the next save opens in that file's folder.
    void saveDialogOpensWhereTheLastFileWent() {
        tessaly::testing::TempFiles temp;
        const QString folder = QString::fromStdString(temp.folder());
        QStringList opened;
        const auto answer = [&](const QString& typed) {
            QTimer::singleShot(0, [&, typed] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                opened << dialog->directory().absolutePath();
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
                QMetaObject::invokeMethod(dialog, typed.isEmpty() ? "reject" : "accept");
            });
        };
        QtSaveDialog dialog;
        answer(folder + "/first");
        QCOMPARE(dialog.chooseSaveFile("Save", "All Files (*.*)|*.*|"), temp.path("first"));
        answer(QString());
        QCOMPARE(dialog.chooseSaveFile("Save", "All Files (*.*)|*.*|"), std::string());
        QCOMPARE(opened, QStringList({QDir::homePath(), folder}));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "test_qt_platform.moc"
