// "Start Extracting Phone Numbers" in the window: results, notices and the busy pointer, and
// the window staying usable while the run yields: the start button stops it, Ctrl+Return does
// not start a second run, rows added
// meanwhile are not scanned, options changed meanwhile apply to later numbers, "Clear List" of
// the results is allowed, and closing the window stops the run without a further message.

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cstdio>

#include "file_number_scan.h"
#include "option_box.h"
#include "product.h"
#include "qt_event_loop.h"
#include "report_list_view.h"
#include "support/failing_read.h"
#include "support/table_types.h"
#include "support/temp_files.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::FailReadsOf;
using tessaly::testing::gFailingRead;
using tessaly::testing::MovePointer;
using tessaly::testing::TempFiles;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;

namespace {

Strings ResultRows(MainWindow& form) {
    Strings rows;
    for (const PhoneNumber& n : form.resultList().rows())
        rows.push_back(n.str());
    return rows;
}

// The rows as the result list shows them.
Strings ShownRows(WindowFixture& f) {
    QAbstractItemModel* model = f.find<ReportListView>("resultList")->model();
    Strings rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        rows.push_back(model->index(r, 0).data().toString().toStdString());
    }
    return rows;
}

void Start(WindowFixture& f) {
    f.find<QPushButton>("startButton")->click();
}

}  // namespace

class WindowRunTest : public QObject {
    Q_OBJECT

  private slots:
    // With the first-start lengths 10 and 11 ticked.
    void results_data() {
        QTest::addColumn<Strings>("files");
        QTest::addColumn<int>("runs");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<Strings>("notices");
        QTest::newRow("file order, then line order")
            << Strings{"a 877-798-4141\r\nb 1 (800) 555-0199", "c 555-1234 d 212.555.0100"} << 1
            << Strings{"8777984141", "18005550199", "2125550100"}
            << Strings{"Done. 3 numbers found."};
        QTest::newRow("a second run appends again")
            << Strings{"877-798-4141"} << 2 << Strings{"8777984141", "8777984141"}
            << Strings{"Done. 1 number found.", "Done. 1 number found."};
        QTest::newRow("nothing found")
            << Strings{"555-1234"} << 1 << Strings{} << Strings{"Done. No numbers found."};
        QTest::newRow("a count in groups of three")
            << Strings{QString("877-798-4141\n").repeated(1234).toStdString()} << 1
            << Strings(1234, "8777984141") << Strings{"Done. 1,234 numbers found."};
        QTest::newRow("no files") << Strings{} << 1 << Strings{} << Strings{"No files added."};
        // File names are bytes: one that is no valid UTF-8 still reaches its file.
        QTest::newRow("name that is no UTF-8")
            << Strings{"\xe9", "877-798-4141"} << 1 << Strings{"8777984141"}
            << Strings{"Done. 1 number found."};
        // Told by content: a web page gives its visible text's numbers, a file that is not text
        // is named in one notice ("<folder>" stands for the temporary folder).
        QTest::newRow("a web page, a file that is not text")
            << Strings{"<html><body><p>877-798-4141</p><script>212.555.0100</script></body></html>",
                       std::string("\x7f"
                                   "ELF\0 555-123-4567",
                                   18)}
            << 1 << Strings{"8777984141"}
            << Strings{
                   "This file is not a text file or a document Tessaly reads; it was skipped:"
                   "\n\n<folder>/1.txt",
                   "Done. 1 number found."};
    }
    void results() {
        QFETCH(Strings, files);
        QFETCH(int, runs);
        QFETCH(Strings, expected);
        QFETCH(Strings, notices);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.start();
        std::string oddName;
        if (!files.empty() && files[0] == "\xe9") {
            oddName = temp.write("caf\xe9.txt", files[1]);
            form.inputList().append(oddName);
        } else {
            for (std::size_t i = 0; i < files.size(); ++i) {
                std::string name = std::to_string(i);
                name += ".txt";
                form.inputList().append(temp.write(name, files[i]));
            }
        }
        for (int i = 0; i < runs; ++i)
            Start(f);
        QCOMPARE(ResultRows(form), expected);
        QCOMPARE(ShownRows(f), expected);  // all of them on screen at "Done."
        for (std::string& notice : notices) {
            if (const auto at = notice.find("<folder>"); at != std::string::npos)
                notice.replace(at, 8, temp.folder());
        }
        QCOMPARE(f.boxes.notices, notices);
        QVERIFY(f.errors.reports.empty());
        QCOMPARE(form.pointer(), int(kDefaultPointer));
        QVERIFY(!form.isExtracting());
        if (!oddName.empty()) std::remove(oddName.c_str());  // beyond the temporary folder's reach
    }

    // The number rules' frame: chosen in the window, saved at once, applied by the run; "Remove
    // Duplicates From Results" then compares the values shown.
    void numberRules_data() {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("boxes");  // v valid only, e +E.164, s cut at blanks
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<Strings>("distinct");
        const QByteArray five = "212-555-0147, (212) 555-0147, +1 212 555 0147,\n"
                                "1-212-555-0147 and 212.555.0147; INV-2023-004512\n";
        QTest::newRow("(none): as today")
            << "" << "" << five
            << Strings{"2125550147", "2125550147", "12125550147", "12125550147", "2125550147",
                       "2023004512"}
            << Strings{"2125550147", "12125550147", "2023004512"};
        QTest::newRow("five spellings, one value")
            << "US" << "ve" << five << Strings(5, "+12125550147") << Strings{"+12125550147"};
        QTest::newRow("valid, as read") << "US" << "v" << five
                                        << Strings{"2125550147", "2125550147", "12125550147",
                                                   "12125550147", "2125550147"}
                                        << Strings{"2125550147", "12125550147"};
        QTest::newRow("pair cut at its blank, no country")
            << "" << "s" << QByteArray("212-555-0199 212-555-0142\n")
            << Strings{"2125550199", "2125550142"} << Strings{"2125550199", "2125550142"};
        QTest::newRow("valid without a country is off")
            << "" << "v" << QByteArray("123-456-7890\n") << Strings{"1234567890"}
            << Strings{"1234567890"};
    }
    void numberRules() {
        QFETCH(QString, country);
        QFETCH(QString, boxes);
        QFETCH(QByteArray, text);
        QFETCH(Strings, expected);
        QFETCH(Strings, distinct);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.start();
        auto* choice = f.find<QComboBox>("countryChoice");
        QCOMPARE(choice->itemText(0), QString("(none)"));
        if (!country.isEmpty()) choice->setCurrentIndex(choice->findData(country));
        for (const auto& [letter, name] : {std::pair{'v', "validNumbersBox"},
                                           std::pair{'e', "e164Box"},
                                           std::pair{'s', "splitBlanksBox"}}) {
            if (boxes.contains(QLatin1Char(letter))) f.find<OptionBox>(name)->click();
        }
        QCOMPARE(QString::fromStdString(f.settings.readOr("Number Country", "")), country);
        QCOMPARE(f.settings.readOr("Split At Blanks", "0") == "1", boxes.contains('s'));
        form.inputList().append(temp.write("a.txt", text.toStdString()));
        Start(f);
        QCOMPARE(ResultRows(form), expected);
        QCOMPARE(ShownRows(f), expected);
        f.find<QPushButton>("removeDuplicatesButton")->click();
        QCOMPARE(ResultRows(form), distinct);
        QVERIFY(f.errors.reports.empty());
    }

    // While the run yields: the busy pointer, kept over a button; the start button reads "Stop
    // Extracting"; Ctrl+Return does not start a second run, nor stop this one.
    void secondStartDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.show();
        QApplication::setActiveWindow(&form);
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142"));
        std::vector<int> pointers;
        QStringList captions;
        auto* start = f.find<QPushButton>("startButton");
        f.loop.onYield = [&](int pass) {
            MovePointer(start);
            if (pass > 1) pointers.push_back(form.pointer());  // the first comes before any file
            captions << start->text();
            QTest::keyClick(&form, Qt::Key_Return, Qt::ControlModifier);
        };
        QTest::keyClick(&form, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(pointers, std::vector<int>(pointers.size(), kBusyPointer));
        QVERIFY(pointers.size() >= 2);
        QCOMPARE(captions, QStringList(captions.size(), "&Stop Extracting"));
        QCOMPARE(start->text(), QString("&Start Extracting Phone Numbers"));
        QCOMPARE(ResultRows(form), (Strings{"8777984141", "8777984142"}));
        QCOMPARE(f.boxes.notices, Strings{"Done. 2 numbers found."});
    }

    // The same through Qt's own event loop: Ctrl+Return queued before the run arrives while it
    // yields, and so does a row added meanwhile, which is not scanned.
    void realEventLoop() {
        TempFiles temp;
        WindowFixture f;
        QtEventLoop qtLoop;
        f.eventLoop = &qtLoop;
        MainWindow& form = f.show();
        form.inputList().append(temp.write("a.txt", "877-798-4141"));
        auto* start = f.find<QPushButton>("startButton");
        QTimer::singleShot(0, &form,
                           [&] { QTest::keyClick(&form, Qt::Key_Return, Qt::ControlModifier); });
        const std::string late = temp.write("late.txt", "212-555-0100");
        QTimer::singleShot(0, &form, [&] { form.inputList().append(late); });
        start->click();
        QCOMPARE(ResultRows(form), Strings{"8777984141"});
        QCOMPARE(f.boxes.notices, Strings{"Done. 1 number found."});
        QCOMPARE(form.inputList().count(), std::size_t(2));
    }

    // A file that cannot be read is reported at 116; the other files are still scanned. A read
    // failing part-way takes back the rows the file gave, those added after a "Clear List" too.
    void unreadableFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Strings>("expected");
        const Strings both{"8777984141", "2125550100"};
        QTest::newRow("missing file") << "missing" << both;
        QTest::newRow("a folder") << "folder" << both;
        QTest::newRow("read failing part-way") << "part-way" << both;
        QTest::newRow("read failing part-way, list cleared meanwhile")
            << "cleared" << Strings{"2125550100"};
    }
    void unreadableFiles() {
        QFETCH(QString, kind);
        QFETCH(Strings, expected);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.start();
        form.inputList().append(temp.write("a.txt", "877-798-4141"));
        std::string bad = kind == "folder" ? temp.folder() : temp.path("missing.txt");
        if (kind == "part-way" || kind == "cleared") {
            std::string text;
            while (text.size() < 2 * FileNumberScan::kDefaultChunkSize)
                text += "212-555-0199\n";
            bad = temp.write("b.txt", text);
            FailReadsOf(bad, FileNumberScan::kDefaultChunkSize);
        }
        form.inputList().append(bad);
        form.inputList().append(temp.write("c.txt", "212-555-0100"));
        f.loop.onYield = [&](int pass) {
            if (kind == "cleared" && pass == 100)
                f.find<QPushButton>("clearResultsButton")->click();
        };
        Start(f);
        gFailingRead.armed = false;
        QCOMPARE(ResultRows(form), expected);
        QCOMPARE(ShownRows(f), expected);
        QCOMPARE(f.errors.reports.size(), std::size_t(1));
        const std::string tail =
            "\r\nin Corvalin2021/08/31.Form1.PushButton7_Click at line 116"
            "\r\rPlease email screenshot of this message to " +
            std::string(kSupportAddress);
        QVERIFY(f.errors.reports[0].ends_with(tail));
        QVERIFY(f.errors.reports[0].size() > tail.size());  // the reason comes first
        // Rows taken back are not counted; rows cleared by the user were found all the same.
        QCOMPARE(f.boxes.notices, Strings{"Done. 2 numbers found."});
        QCOMPARE(form.pointer(), int(kDefaultPointer));
    }

    // Pass 1 comes before the file, pass 2 before the first number, pass 3 before the second.
    void changesDuringTheRun_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<Strings>("stored");
        QTest::addColumn<QString>("notice");
        // The 7-digit box, ticked at the second number, counts from there on and is written.
        QTest::newRow("length box")
            << "lengthBox7" << Strings{"99999", "5551232", "5551233", "8777984141"}
            << Strings{"Phone Length2", "1"} << "Done. 3 numbers found.";
        // The results found so far go; the run goes on appending.
        QTest::newRow("Clear List") << "clearResultsButton" << Strings{"8777984141"} << Strings{}
                                    << "Done. 1 number found.";
    }
    void changesDuringTheRun() {
        QFETCH(QString, control);
        QFETCH(Strings, expected);
        QFETCH(Strings, stored);
        QFETCH(QString, notice);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.start();
        form.resultList().append(PhoneNumber("99999"));
        form.inputList().append(
            temp.write("a.txt", "555-1231 x 555-1232 x 555-1233 x 877-798-4141"));
        f.loop.onYield = [&](int pass) {
            if (pass == 3) f.find<QAbstractButton>(qPrintable(control))->click();
        };
        Start(f);
        QCOMPARE(ResultRows(form), expected);
        // The last row keeps its file, also after the list was cleared during the run.
        QCOMPARE(form.resultList().sourceAt(expected.size()).file->path, temp.path("a.txt"));
        if (!stored.empty()) QCOMPARE(f.settings.values.at(stored[0]), stored[1]);
        QCOMPARE(f.boxes.notices, Strings{notice.toStdString()});
    }

    // Escape, or the start button reading "Stop Extracting", stops the run at its next pass: what
    // was found stays, the pointer, the caption and the button come back, "Stopped."; meanwhile
    // the caption tells how far it is.
    void stopWithEscape_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("the stop button") << "button";
    }
    void stopWithEscape() {
        QFETCH(QString, how);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.show();
        QApplication::setActiveWindow(&form);
        const std::string a = temp.write("a.txt", "877-798-4141 x 877-798-4142");
        form.inputList().append(a);
        form.inputList().append(a);
        QStringList captions;
        f.loop.onYield = [&](int pass) {
            captions << form.windowTitle();
            // Pass 3 comes before the file's second number (its one read also met its end).
            if (pass != 3) return;
            if (how == "escape")
                QTest::keyClick(f.find<QPushButton>("startButton"), Qt::Key_Escape);
            if (how == "button") Start(f);
        };
        Start(f);
        QCOMPARE(captions, QStringList(3, "Tessaly - 1 of 2"));
        QCOMPARE(ResultRows(form), Strings{"8777984141"});
        QCOMPARE(f.boxes.notices, Strings{"Stopped. 1 number found."});
        QCOMPARE(f.find<QPushButton>("startButton")->text(),
                 QString("&Start Extracting Phone Numbers"));
        QCOMPARE(form.pointer(), int(kDefaultPointer));
        QCOMPARE(form.windowTitle(), QString("Tessaly"));
        QVERIFY(!form.isExtracting());
    }

    // Closing through Qt's event loop, wired as the program wires it: the pass in which the
    // window closes is the run's last; no notice, no report, no further handler.
    void closingDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        QtEventLoop qtLoop;
        f.eventLoop = &qtLoop;
        MainWindow& form = f.show();
        QObject::connect(&form, &MainWindow::closing, [&] { qtLoop.setClosing(); });
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142"));
        form.inputList().append(temp.path("missing.txt"));
        QTimer::singleShot(0, &form, [&] { form.close(); });
        QMetaObject::invokeMethod(f.find<QPushButton>("helpButton"), "click", Qt::QueuedConnection);
        Start(f);
        QVERIFY(!form.isVisible());
        QVERIFY(ResultRows(form).empty());
        QVERIFY(f.boxes.notices.empty());
        QVERIFY(f.errors.reports.empty());
        QVERIFY(!form.isExtracting());
        QCoreApplication::processEvents();
        QVERIFY(f.boxes.notices.empty());
    }
};

QTEST_MAIN(WindowRunTest)
#include "test_window_run.moc"
