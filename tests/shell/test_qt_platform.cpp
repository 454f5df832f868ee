// The Qt side of the platform boundary: pointer files and their hotspot, the program folder's
// file questions, the event loop that stops once the window closes, and the clipboard.

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "qt_clipboard.h"
#include "qt_cursor_file.h"
#include "qt_event_loop.h"
#include "qt_program_folder.h"

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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write");
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void cursorHotspot_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("x");  // -1: no cursor file
        QTest::addColumn<int>("y");
        QTest::newRow("cursor") << Directory(0, 2, 1, 5, 1) << 5 << 1;
        QTest::newRow("two-byte hotspot") << Directory(0, 2, 1, 300, 258) << 300 << 258;
        QTest::newRow("icon, not cursor") << Directory(0, 1, 1, 5, 1) << -1 << -1;
        QTest::newRow("no images") << Directory(0, 2, 0, 5, 1) << -1 << -1;
        QTest::newRow("reserved not 0") << Directory(1, 2, 1, 5, 1) << -1 << -1;
        QTest::newRow("cut short") << Directory(0, 2, 1, 5, 1).left(13) << -1 << -1;
        QTest::newRow("empty") << QByteArray() << -1 << -1;
    }
    void cursorHotspot() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, x);
        QFETCH(int, y);
        const auto hotspot = ReadCursorHotspot(std::string_view(bytes.constData(), bytes.size()));
        QCOMPARE(hotspot.has_value(), x >= 0);
        if (hotspot) QCOMPARE(*hotspot, (CursorHotspot{x, y}));
    }

    void unloadableCursorFiles_data() {
        QTest::addColumn<QString>("content");  // "" for no file at all
        QTest::newRow("missing") << "";
        QTest::newRow("not a cursor") << "hello";
        QTest::newRow("directory without image") << "directory";
    }
    void unloadableCursorFiles() {
        QFETCH(QString, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("HAND-M.CUR");
        if (content == "directory") {
            WriteFile(path, Directory(0, 2, 1, 5, 1));
        } else if (!content.isEmpty()) {
            WriteFile(path, content.toUtf8());
        }
        try {
            LoadCursorFile(path.toStdString());
            QFAIL("loaded a cursor that is not there");
        } catch (const std::runtime_error& e) {
            QVERIFY2(std::string(e.what()).find(path.toStdString()) != std::string::npos, e.what());
        }
    }

    void programFolder_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("kind");  // file, folder, none
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("normalFile");
        QTest::newRow("file") << "o.cjs" << "file" << true << true;
        QTest::newRow("folder") << "o.cjs" << "folder" << true << false;
        QTest::newRow("hidden file") << ".o.cjs" << "file" << true << false;
        QTest::newRow("nothing") << "o.cjs" << "none" << false << false;
        QTest::newRow("empty name") << "" << "none" << true << false;
    }
    void programFolder() {
        QFETCH(QString, entry);
        QFETCH(QString, kind);
        QFETCH(bool, exists);
        QFETCH(bool, normalFile);
        QTemporaryDir dir;
        QtProgramFolder folder(dir.path().toStdString());
        QCOMPARE(folder.path(), dir.path().toStdString());
        const QString path = entry.isEmpty() ? dir.path() + "/" : dir.filePath(entry);
        if (kind == "file") WriteFile(path, "x");
        if (kind == "folder") QDir(dir.path()).mkdir(entry);
        QCOMPARE(folder.PathExists(path.toStdString()), exists);
        QCOMPARE(folder.IsNormalFile(path.toStdString()), normalFile);
    }

    void runningProgramsFolder() {
        QCOMPARE(QString::fromStdString(QtProgramFolder().path()),
                 QCoreApplication::applicationDirPath());
    }

    // A pass handles what is pending; once closing, no pass runs at all.
    void eventLoopStopsWhenClosing() {
        QtEventLoop loop;
        int handled = 0;
        QTimer::singleShot(0, [&] { ++handled; });
        QVERIFY(loop.yield());
        QCOMPARE(handled, 1);
        QTimer::singleShot(0, [&] {
            ++handled;
            loop.setClosing();
        });
        QVERIFY(!loop.yield());
        QCOMPARE(handled, 2);
        QTimer::singleShot(0, [&] { ++handled; });
        QVERIFY(!loop.yield());
        QCOMPARE(handled, 2);
    }

    void clipboard_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("lines") << QByteArray("8777984141\r\n2125550100\r\n");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9");
    }
    void clipboard() {
        QFETCH(QByteArray, text);
        QtClipboard clipboard;
        QVERIFY(clipboard.setText(text.toStdString()));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(text));
        QVERIFY(clipboard.clear());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }
};

QTEST_MAIN(QtPlatformTest)
#include "test_qt_platform.moc"
