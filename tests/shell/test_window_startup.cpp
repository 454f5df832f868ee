// Start-up of the main window: the restored options on a first and a later start, stored
// values that no box can take, the sample record, caption and titles, list columns, the skin's
// colour rule, the hand pointer file and the home-page lottery, in the order start-up runs them.

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "option_box.h"
#include "product.h"
#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Settings = std::map<std::string, std::string>;
using Writes = std::vector<std::pair<std::string, std::string>>;
using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(Strings)

namespace {

std::string Report(const std::string& description, int label) {
    return description + "\r\nin Corvalin2021/08/31.Form1.Form_Load at line " +
           std::to_string(label) + "\r\rPlease email screenshot of this message to " +
           std::string(kSupportAddress);
}

// The values the 16 boxes show, as a string of digits "0", "1", "2".
QString BoxValues(const WindowFixture& f) {
    QString values;
    for (int i = 0; i < kLengthBoxCount; ++i) {
        values += QString::number(f.find<OptionBox>(qPrintable(QStringLiteral("Check1_%1").arg(i)))->value());
    }
    return values;
}

// A small cursor file: a 32 x 32 image with the given hotspot.
QByteArray CursorFile(int hotX, int hotY) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "ico")) qFatal("cannot write an icon");
    bytes[2] = 2;  // a cursor, not an icon
    bytes[10] = char(hotX), bytes[11] = 0, bytes[12] = char(hotY), bytes[13] = 0;
    return bytes;
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write");
}

}  // namespace

class WindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    // First start: the 10- and 11-digit boxes, "-", and exactly those values written back.
    void firstStart() {
        WindowFixture f;
        f.start();
        QCOMPARE(BoxValues(f), QString("0000011000000000"));
        QCOMPARE(f.find<QLineEdit>("Text1")->text(), QString("-"));
        QCOMPARE(f.find<OptionBox>("Check2")->value(), 0);
        QCOMPARE(f.settings.writes,
                 (Writes{{"Phone Length5", "1"}, {"Phone Length6", "1"}, {"Text1", "-"}}));
        QVERIFY(f.errors.reports.empty());
    }

    void laterStartShowsWhatWasStored_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("check2");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("no box ticked")
            << Settings{{"Phone Length5", "0"}, {"Phone Length6", "0"}, {"Text1", "-"}}
            << "0000000000000000" << "-" << 0 << Writes{{"Text1", "-"}};
        QTest::newRow("7 and 20 ticked, required text on")
            << Settings{{"Phone Length2", "1"}, {"Phone Length15", "1"}, {"Text1", "("},
                        {"Check2", "1"}}
            << "0010000000000001" << "(" << 1
            << Writes{{"Phone Length2", "1"}, {"Phone Length15", "1"}, {"Text1", "("},
                      {"Check2", "1"}};
        QTest::newRow("stored empty text stays empty")
            << Settings{{"Phone Length0", "1"}, {"Text1", ""}} << "1000000000000000" << "" << 0
            << Writes{{"Phone Length0", "1"}};
        QTest::newRow("missing text gives the hyphen")
            << Settings{{"Phone Length0", "0"}} << "0000000000000000" << "-" << 0
            << Writes{{"Text1", "-"}};
        QTest::newRow("1.6 rounds to the greyed state")
            << Settings{{"Phone Length3", "1.6"}, {"Text1", "-"}} << "0002000000000000" << "-" << 0
            << Writes{{"Phone Length3", "2"}, {"Text1", "-"}};
        QTest::newRow("text that is no number reads 0")
            << Settings{{"Phone Length3", "yes"}, {"Check2", "on"}, {"Text1", "x"}}
            << "0000000000000000" << "x" << 0 << Writes{{"Text1", "x"}};
    }
    void laterStartShowsWhatWasStored() {
        QFETCH(Settings, stored);
        QFETCH(QString, boxes);
        QFETCH(QString, text);
        QFETCH(int, check2);
        QFETCH(Writes, writes);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        f.start();
        QCOMPARE(BoxValues(f), boxes);
        QCOMPARE(f.find<QLineEdit>("Text1")->text(), text);
        QCOMPARE(f.find<OptionBox>("Check2")->value(), check2);
        QCOMPARE(f.settings.writes, writes);
        QVERIFY(f.errors.reports.empty());
    }

    // A value no box can take is reported at its step; the box stays unticked and start-up
    // goes on with the next step.
    void invalidStoredValues_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<Strings>("reports");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("check2");
        QTest::newRow("7 for a length box")
            << Settings{{"Phone Length4", "7"}, {"Phone Length5", "1"}}
            << Strings{Report("Invalid property value", 144)} << "0000010000000000" << 0;
        QTest::newRow("two bad boxes, two reports")
            << Settings{{"Phone Length0", "-1"}, {"Phone Length15", "99999"}}
            << Strings{Report("Invalid property value", 144), Report("Overflow", 144)}
            << "0000000000000000" << 0;
        QTest::newRow("5 for the required-text box")
            << Settings{{"Phone Length6", "1"}, {"Check2", "5"}}
            << Strings{Report("Invalid property value", 150)} << "0000001000000000" << 0;
    }
    void invalidStoredValues() {
        QFETCH(Settings, stored);
        QFETCH(Strings, reports);
        QFETCH(QString, boxes);
        QFETCH(int, check2);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        f.start();
        QCOMPARE(f.errors.reports, reports);
        QCOMPARE(BoxValues(f), boxes);
        QCOMPARE(f.find<OptionBox>("Check2")->value(), check2);
        QCOMPARE(f.find<QLineEdit>("Text1")->text(), QString("-"));
    }

    void captionTitleAndColumns() {
        WindowFixture f;
        Form1& form = f.start();
        QCOMPARE(form.windowTitle(), QString("Tessaly"));
        QCOMPARE(form.applicationTitle(), std::string("Tessaly"));
        QVERIFY(!form.windowIcon().isNull());
        for (auto [name, header] : {std::pair{"ListView1", "File(s)"}, {"ListView2", "Results"}}) {
            auto* list = f.find<ReportListView>(name);
            QCOMPARE(list->model()->columnCount(), 1);
            QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QString(header));
            QCOMPARE(list->columnWidth(0), 467);  // 7000 twips
        }
    }

    // The sample record is made while "Snapshot" is missing or empty, at most twice, before
    // the caption, the columns and the options are set.
    void sampleRecord_data() {
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<bool>("recordWrites");
        QTest::addColumn<int>("calls");
        QTest::newRow("missing, recorded at once") << Settings{} << true << 1;
        QTest::newRow("missing, no sample files") << Settings{} << false << 2;
        QTest::newRow("empty counts as missing") << Settings{{"Snapshot", ""}} << true << 1;
        QTest::newRow("already recorded") << Settings{{"Snapshot", "x"}} << true << 0;
    }
    void sampleRecord() {
        QFETCH(Settings, stored);
        QFETCH(bool, recordWrites);
        QFETCH(int, calls);
        WindowFixture f;
        f.settings.values.insert(stored.begin(), stored.end());
        Form1& form = f.create();
        int made = 0;
        form.setRecordSampleFiles([&] {
            ++made;
            QVERIFY(form.windowTitle().isEmpty());
            QCOMPARE(form.findChild<ReportListView*>("ListView1")->model()->columnCount(), 0);
            QVERIFY(!form.findChild<OptionBox*>("Check1_5")->isChecked());
            f.settings.write("Snapshot", recordWrites ? "recorded" : "");
        });
        form.Form_Load();
        QCOMPARE(made, calls);
    }

    void sampleRecordFailuresAreReported() {
        WindowFixture f;
        Form1& form = f.create();
        form.setRecordSampleFiles([] { throw std::runtime_error("Path not found"); });
        form.Form_Load();
        QCOMPARE(f.errors.reports, (Strings{Report("Path not found", 108), Report("Path not found", 124)}));
        QCOMPARE(form.windowTitle(), QString("Tessaly"));
    }

    void homePageOnlyOnSeven_data() {
        QTest::addColumn<int>("draw");
        QTest::addColumn<Strings>("opened");
        QTest::newRow("7 opens it") << 7 << Strings{std::string(kHomePageAddress)};
        QTest::newRow("1 does not") << 1 << Strings{};
        QTest::newRow("100 does not") << 100 << Strings{};
    }
    void homePageOnlyOnSeven() {
        QFETCH(int, draw);
        QFETCH(Strings, opened);
        WindowFixture f;
        f.config.drawOneToHundred = [draw] { return draw; };
        f.shell.succeed = false;  // start-up ignores how it went
        f.start();
        QCOMPARE(f.shell.addresses, opened);
        QVERIFY(f.errors.reports.empty());
    }

    // Without the skin file the window, frames and boxes are white; with it they take the
    // colour of button faces.
    void skinColourRule_data() {
        QTest::addColumn<QString>("skinEntry");  // "" none, "file" or "folder"
        QTest::addColumn<bool>("faceColour");
        QTest::newRow("no skin file") << "" << false;
        QTest::newRow("skin file") << "file" << true;
        QTest::newRow("a folder of that name is no skin") << "folder" << false;
    }
    void skinColourRule() {
        QFETCH(QString, skinEntry);
        QFETCH(bool, faceColour);
        WindowFixture f;
        QDir(f.programDir.path()).mkdir("x");
        if (skinEntry == "file") WriteFile(f.programPath("x/o.cjs"), "skin");
        if (skinEntry == "folder") QDir(f.programDir.path()).mkpath("x/o.cjs");
        f.start();
        const QColor expected = faceColour ? QApplication::palette().color(QPalette::Button)
                                           : QColor(Qt::white);
        QList<QWidget*> painted{f.form.get(), f.find<QGroupBox>("Frame1"), f.find<QGroupBox>("Frame2"),
                                f.find<OptionBox>("Check2")};
        for (int i = 0; i < kLengthBoxCount; ++i) {
            painted << f.find<OptionBox>(qPrintable(QStringLiteral("Check1_%1").arg(i)));
        }
        for (QWidget* w : painted) {
            QCOMPARE(w->palette().color(QPalette::Window), expected);
        }
        QVERIFY(f.errors.reports.empty());
    }

    void handPointerFile_data() {
        QTest::addColumn<int>("hotX");
        QTest::addColumn<int>("hotY");
        QTest::newRow("hotspot at the finger tip") << 5 << 1;
        QTest::newRow("hotspot at the origin") << 0 << 0;
    }
    void handPointerFile() {
        QFETCH(int, hotX);
        QFETCH(int, hotY);
        WindowFixture f;
        WriteFile(f.programPath("HAND-M.CUR"), CursorFile(hotX, hotY));
        f.start();
        QVERIFY(f.errors.reports.empty());
        auto* button = f.find<QPushButton>("PushButton7");
        tessaly::testing::MovePointer(button);
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
        QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(button->cursor().hotSpot(), QPoint(hotX, hotY));
        QCOMPARE(button->cursor().pixmap().size(), QSize(32, 32));
    }

    // A pointer file that cannot be read is reported at 106; start-up goes on.
    void unreadableHandPointerFile() {
        WindowFixture f;
        WriteFile(f.programPath("HAND-M.CUR"), "this is no cursor");
        f.start();
        QCOMPARE(f.errors.reports.size(), std::size_t(1));
        QVERIFY(f.errors.reports[0].find("\r\nin Corvalin2021/08/31.Form1.Form_Load at line 106\r\r") !=
                std::string::npos);
        QCOMPARE(f.form->windowTitle(), QString("Tessaly"));
        QCOMPARE(BoxValues(f), QString("0000011000000000"));
    }

    // Start-up reads the store for the first-start test; when the store cannot be reached the
    // boxes are left alone and the other steps still run.
    void unreachableSettingsAreReported() {
        WindowFixture f;
        f.settings.unreadableKeys = {"Phone Length0", "Text1"};
        f.start();
        QCOMPARE(f.errors.reports,
                 (Strings{Report("Permission denied", 136), Report("Permission denied", 148)}));
        QCOMPARE(BoxValues(f), QString("0000000000000000"));
        QCOMPARE(f.form->windowTitle(), QString("Tessaly"));
    }
};

QTEST_MAIN(WindowStartupTest)
#include "test_window_startup.moc"
