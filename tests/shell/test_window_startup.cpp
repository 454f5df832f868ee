// Start-up: the options restored on a first and a later start (and written back), stored values
// no box can take, the sample record before caption and columns, the home-page draw, the skin's
// colour rule and the hand pointer file.

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "option_box.h"
#include "product.h"
#include "report_list_view.h"
#include "support/table_types.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Settings = std::map<std::string, std::string>;
using Writes = std::vector<std::pair<std::string, std::string>>;
using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Settings)

namespace {

std::string Report(const std::string& description, int label) {
    return description + "\r\nin Corvalin2021/08/31.Form1.Form_Load at line " +
           std::to_string(label) + "\r\rPlease email screenshot of this message to " +
           std::string(kSupportAddress);
}

// The values the 16 boxes show, as one digit each.
QString BoxValues(const WindowFixture& f) {
    QString values;
    for (int i = 0; i < kLengthBoxCount; ++i) {
        values += QString::number(
            f.find<OptionBox>(qPrintable(QString("lengthBox%1").arg(i + 5)))->value());
    }
    return values;
}

// A 32 x 32 cursor file with the given hotspot.
QByteArray CursorFile(int hotX, int hotY) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "ico");
    bytes[2] = 2;  // a cursor, not an icon
    bytes[10] = char(hotX), bytes[11] = 0, bytes[12] = char(hotY), bytes[13] = 0;
    return bytes;
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

}  // namespace

class WindowStartupTest : public QObject {
    Q_OBJECT

  private slots:
    void restoredOptions_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("check2");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("first start")
            << Settings{} << "0000011000000000"
            << "-" << 0 << Writes{{"Phone Length5", "1"}, {"Phone Length6", "1"}, {"Text1", "-"}};
        QTest::newRow("later start, no box ticked")
            << Settings{{"Phone Length5", "0"}, {"Text1", "-"}} << "0000000000000000"
            << "-" << 0 << Writes{{"Text1", "-"}};
        QTest::newRow("later start, 7 and 20, required text on")
            << Settings{{"Phone Length2", "1"},
                        {"Phone Length15", "1"},
                        {"Text1", "("},
                        {"Check2", "1"}}
            << "0010000000000001"
            << "(" << 1
            << Writes{{"Phone Length2", "1"},
                      {"Phone Length15", "1"},
                      {"Text1", "("},
                      {"Check2", "1"}};
        QTest::newRow("stored empty text stays empty")
            << Settings{{"Phone Length0", "1"}, {"Text1", ""}} << "1000000000000000"
            << "" << 0 << Writes{{"Phone Length0", "1"}};
        QTest::newRow("1.6 gives the greyed state, text reads 0")
            << Settings{{"Phone Length3", "1.6"}, {"Phone Length4", "yes"}} << "0002000000000000"
            << "-" << 0 << Writes{{"Phone Length3", "2"}, {"Text1", "-"}};
        // The store loaded nothing: the first start's options, and one notice.
        QTest::newRow("settings file too large")
            << Settings{} << "0000011000000000"
            << "-" << 0 << Writes{{"Phone Length5", "1"}, {"Phone Length6", "1"}, {"Text1", "-"}};
    }
    void restoredOptions() {
        QFETCH(Settings, stored);
        QFETCH(QString, boxes);
        QFETCH(QString, text);
        QFETCH(int, check2);
        QFETCH(Writes, writes);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        const bool tooLarge = QByteArray(QTest::currentDataTag()).endsWith("too large");
        if (tooLarge) f.settings.oversized = "/home/u/.config/Varnholt.ini";
        f.start();
        QCOMPARE(f.boxes.notices,
                 tooLarge
                     ? std::vector<std::string>{"The settings file /home/u/.config/Varnholt.ini "
                                                "is larger than 1 MiB and was not loaded: "
                                                "Tessaly starts with its default options and "
                                                "leaves the file as it is."}
                     : std::vector<std::string>{});
        QCOMPARE(BoxValues(f), boxes);
        QCOMPARE(f.find<QLineEdit>("requiredText")->text(), text);
        QCOMPARE(f.find<OptionBox>("requireBox")->value(), check2);
        // The sample record (none here: no Samples folder) is no option.
        Writes optionWrites;
        for (const auto& write : f.settings.writes) {
            if (write.first != "Snapshot") optionWrites.push_back(write);
        }
        QCOMPARE(optionWrites, writes);
        QVERIFY(f.errors.reports.empty());
    }

    // A value no box can take is reported at its step; the box stays unticked and start-up
    // goes on.
    void invalidStoredValues_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<Strings>("reports");
        QTest::addColumn<QString>("boxes");
        QTest::newRow("7 for a length box")
            << Settings{{"Phone Length4", "7"}, {"Phone Length5", "1"}}
            << Strings{Report("Invalid property value", 144)} << "0000010000000000";
        QTest::newRow("two bad boxes, two reports")
            << Settings{{"Phone Length0", "-1"}, {"Phone Length15", "99999"}}
            << Strings{Report("Invalid property value", 144), Report("Overflow", 144)}
            << "0000000000000000";
        QTest::newRow("5 for the required-text box")
            << Settings{{"Phone Length6", "1"}, {"Check2", "5"}}
            << Strings{Report("Invalid property value", 150)} << "0000001000000000";
    }
    void invalidStoredValues() {
        QFETCH(Settings, stored);
        QFETCH(Strings, reports);
        QFETCH(QString, boxes);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        f.start();
        QCOMPARE(f.errors.reports, reports);
        QCOMPARE(BoxValues(f), boxes);
        QCOMPARE(f.find<OptionBox>("requireBox")->value(), 0);
        QCOMPARE(f.form->windowTitle(), QString("Tessaly"));
    }

    // The sample record is made while "Snapshot" is missing or empty (at most twice), before
    // the caption, the columns and the options are set; its failures are reported at 108, 124.
    void sampleRecord_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<QString>("record");  // writes, empty, fails
        QTest::addColumn<int>("calls");
        QTest::addColumn<Strings>("reports");
        QTest::newRow("missing, recorded") << Settings{} << "writes" << 1 << Strings{};
        QTest::newRow("empty, no samples")
            << Settings{{"Snapshot", ""}} << "empty" << 2 << Strings{};
        QTest::newRow("recorded before")
            << Settings{{"Snapshot", "x"}} << "writes" << 0 << Strings{};
        QTest::newRow("failing") << Settings{} << "fails" << 2
                                 << Strings{Report("Path not found", 108),
                                            Report("Path not found", 124)};
    }
    void sampleRecord() {
        QFETCH(Settings, stored);
        QFETCH(QString, record);
        QFETCH(int, calls);
        QFETCH(Strings, reports);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        MainWindow& form = f.create();
        int made = 0;
        form.setRecordSampleFiles([&] {
            ++made;
            QVERIFY(form.windowTitle().isEmpty());
            QCOMPARE(form.findChild<ReportListView*>("inputList")->model()->columnCount(), 0);
            QVERIFY(!form.findChild<OptionBox*>("lengthBox10")->isChecked());
            if (record == "fails") throw std::runtime_error("Path not found");
            f.settings.write("Snapshot", record == "writes" ? "recorded" : "");
        });
        form.startUp();
        QCOMPARE(made, calls);
        QCOMPARE(f.errors.reports, reports);
        QCOMPARE(form.windowTitle(), QString("Tessaly"));
        QCOMPARE(form.applicationTitle(), std::string("Tessaly"));
        // The icon the desktop menu shows, at every size made from its drawing.
        const QList<QSize> sizes = form.windowIcon().availableSizes();
        QCOMPARE(sizes.size(), 8);
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
    }

    void homePageOnlyOnSeven_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<Strings>("opened");
        QTest::newRow("7 opens it") << 7 << Strings{"home.html"};
        QTest::newRow("8 does not") << 8 << Strings{};
    }
    void homePageOnlyOnSeven() {
        QFETCH(int, draw);
        QFETCH(Strings, opened);
        WindowFixture f;
        f.config.drawOneToHundred = [draw] { return draw; };
        f.shell.succeed = false;  // start-up neither waits for the browser nor asks how it went
        f.start();
        for (std::string& page : opened)
            page = "file://" + f.programPath(page.c_str());
        QCOMPARE(f.shell.addresses, opened);
        QVERIFY(f.errors.reports.empty());
    }

    // Without the skin file the window, frames and boxes are white; with it they take the
    // colour of button faces. A folder of that name is no skin file.
    void skinColourRule_data() {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("faceColour");
        QTest::newRow("none") << "" << false;
        QTest::newRow("skin file") << "file" << true;
        QTest::newRow("a folder") << "folder" << false;
    }
    void skinColourRule() {
        QFETCH(QString, skin);
        QFETCH(bool, faceColour);
        WindowFixture f;
        QDir().mkpath(QString::fromStdString(f.programPath(skin == "folder" ? "x/o.cjs" : "x")));
        if (skin == "file") WriteFile(f.programPath("x/o.cjs"), "skin");
        f.start();
        const QColor expected =
            faceColour ? f.form->palette().color(QPalette::Button) : QColor(Qt::white);
        QList<QWidget*> painted{f.form.get(),
                                f.find<QGroupBox>("lengthFrame"),
                                f.find<QGroupBox>("advancedFrame"),
                                f.find<OptionBox>("requireBox"),
                                f.find<OptionBox>("lengthBox5"),
                                f.find<OptionBox>("lengthBox20")};
        for (QWidget* w : painted)
            QCOMPARE(w->palette().color(QPalette::Window), expected);
    }

    // The hand pointer comes from the file with its own hotspot; a file that is no cursor is
    // reported at 106 and start-up goes on. The file beside the program comes before the one in
    // the shared data folder.
    void handPointerFile_data() {
        QTest::addColumn<QByteArray>("file");    // beside the program, when not empty
        QTest::addColumn<QByteArray>("shared");  // in the shared data folder, when not empty
        QTest::addColumn<QPoint>("hotspot");     // (-1, -1): reported
        const QByteArray none;
        const QByteArray noCursor("this is no cursor");
        QTest::newRow("finger tip") << CursorFile(5, 1) << none << QPoint(5, 1);
        QTest::newRow("origin") << CursorFile(0, 0) << none << QPoint(0, 0);
        QTest::newRow("no cursor") << noCursor << none << QPoint(-1, -1);
        QTest::newRow("installed") << none << CursorFile(5, 1) << QPoint(5, 1);
        QTest::newRow("beside comes first") << CursorFile(0, 0) << noCursor << QPoint(0, 0);
    }
    void handPointerFile() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, shared);
        QFETCH(QPoint, hotspot);
        WindowFixture f;
        if (!file.isEmpty()) WriteFile(f.programPath("HAND-M.CUR"), file);
        if (!shared.isEmpty()) WriteFile(f.sharedPath("HAND-M.CUR"), shared);
        f.start();
        auto* button = f.find<QPushButton>("startButton");
        tessaly::testing::MovePointer(button);
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
        if (hotspot.x() < 0) {
            QCOMPARE(f.errors.reports.size(), std::size_t(1));
            QVERIFY(f.errors.reports[0].find("Form_Load at line 106\r\r") != std::string::npos);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(BoxValues(f), QString("0000011000000000"));
        } else {
            QVERIFY(f.errors.reports.empty());
            QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
            QCOMPARE(button->cursor().hotSpot(), hotspot);
        }
    }
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
