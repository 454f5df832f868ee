// The Qt side of the platform boundary: the hotspot of pointer files, the event loop that stops
// once the window closes, and the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QtTest>

#include "qt_clipboard.h"
#include "qt_cursor_file.h"
#include "qt_event_loop.h"

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
};

QTEST_MAIN(QtPlatformTest)
#include "test_qt_platform.moc"
