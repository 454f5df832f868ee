// "Start Extracting Phone Numbers" in the window: results in the result list, the notices, the
// busy pointer, and the window staying usable while the run yields: a second start is ignored,
// rows added meanwhile are not scanned, options changed meanwhile apply to later numbers,
// "Clear List" of the results is allowed, and closing the window stops the run silently.

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "option_box.h"
#include "product.h"
#include "qt_event_loop.h"
#include "report_list_view.h"
#include "support/temp_files.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::MovePointer;
using tessaly::testing::TempFiles;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace {

Strings ResultRows(Form1& form) {
    Strings rows;
    for (const PhoneNumber& n : form.resultList().rows()) rows.push_back(n.str());
    return rows;
}

// The rows as the result list shows them.
Strings ShownRows(WindowFixture& f) {
    QAbstractItemModel* model = f.find<ReportListView>("ListView2")->model();
    Strings rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        rows.push_back(model->index(r, 0).data().toString().toStdString());
    }
    return rows;
}

void Start(WindowFixture& f) { f.find<QPushButton>("PushButton7")->click(); }

std::string ReadFailure(int label) {
    return "\r\nin Corvalin2021/08/31.Form1.PushButton7_Click at line " + std::to_string(label) +
           "\r\rPlease email screenshot of this message to " + std::string(kSupportAddress);
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
        QTest::newRow("one number") << Strings{"call 877-798-4141 now"} << 1
                                    << Strings{"8777984141"} << Strings{"Done."};
        QTest::newRow("file order, then line order")
            << Strings{"a 877-798-4141\r\nb 1 (800) 555-0199", "c 555-1234 d 212.555.0100"} << 1
            << Strings{"8777984141", "18005550199", "2125550100"} << Strings{"Done."};
        QTest::newRow("a second run appends again")
            << Strings{"877-798-4141"} << 2 << Strings{"8777984141", "8777984141"}
            << Strings{"Done.", "Done."};
        QTest::newRow("no files") << Strings{} << 1 << Strings{} << Strings{"No files added."};
        QTest::newRow("nothing of the ticked lengths")
            << Strings{"555-1234"} << 1 << Strings{} << Strings{"Done."};
    }
    void results() {
        QFETCH(Strings, files);
        QFETCH(int, runs);
        QFETCH(Strings, expected);
        QFETCH(Strings, notices);
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::string name = std::to_string(i);
            name += ".txt";
            form.inputList().append(temp.write(name, files[i]));
        }
        for (int i = 0; i < runs; ++i) Start(f);
        QCOMPARE(ResultRows(form), expected);
        QCOMPARE(ShownRows(f), expected);
        QCOMPARE(f.boxes.notices, notices);
        QVERIFY(f.errors.reports.empty());
        QCOMPARE(form.pointer(), int(kDefaultPointer));
        QVERIFY(!form.IsExtracting());
    }

    // While the run yields, the busy pointer shows and no movement replaces it.
    void busyPointerDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142"));
        std::vector<int> pointers;
        f.loop.onYield = [&](int) {
            MovePointer(f.find<QPushButton>("PushButton5"));
            pointers.push_back(form.pointer());
        };
        Start(f);
        QVERIFY(pointers.size() >= 2);
        // The first pass comes before the first file, when nothing has set the busy pointer yet.
        for (std::size_t i = 1; i < pointers.size(); ++i) QCOMPARE(pointers[i], int(kBusyPointer));
        QCOMPARE(form.pointer(), int(kDefaultPointer));
    }

    void secondClickDuringTheRunIsIgnored() {
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142"));
        int clicks = 0;
        f.loop.onYield = [&](int) {
            QVERIFY(form.IsExtracting());
            ++clicks;
            Start(f);
        };
        Start(f);
        QVERIFY(clicks >= 2);
        QCOMPARE(ResultRows(form), (Strings{"8777984141", "8777984142"}));
        QCOMPARE(f.boxes.notices, Strings{"Done."});
        QVERIFY(!form.IsExtracting());
    }

    // The same through Qt's own event loop: a click queued before the run arrives while it
    // yields; a row added meanwhile is not scanned.
    void realEventLoop() {
        TempFiles temp;
        WindowFixture f;
        QtEventLoop qtLoop;
        f.eventLoop = &qtLoop;
        Form1& form = f.show();
        form.inputList().append(temp.write("a.txt", "877-798-4141"));
        auto* start = f.find<QPushButton>("PushButton7");
        QMetaObject::invokeMethod(start, "click", Qt::QueuedConnection);
        const std::string late = temp.write("late.txt", "212-555-0100");
        QTimer::singleShot(0, &form, [&] { form.inputList().append(late); });
        start->click();
        QCOMPARE(ResultRows(form), Strings{"8777984141"});
        QCOMPARE(f.boxes.notices, Strings{"Done."});
        QCOMPARE(form.inputList().count(), std::size_t(2));
    }

    // A file that cannot be read is reported at 116; the other files are still scanned.
    void unreadableFiles_data() {
        QTest::addColumn<QString>("bad");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("a folder") << "folder";
    }
    void unreadableFiles() {
        QFETCH(QString, bad);
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        form.inputList().append(temp.write("a.txt", "877-798-4141"));
        form.inputList().append(bad == "missing" ? temp.path("missing.txt") : temp.folder());
        form.inputList().append(temp.write("c.txt", "212-555-0100"));
        Start(f);
        QCOMPARE(ResultRows(form), (Strings{"8777984141", "2125550100"}));
        QCOMPARE(f.errors.reports.size(), std::size_t(1));
        const std::string& report = f.errors.reports[0];
        QVERIFY2(report.size() > ReadFailure(116).size() &&
                     report.compare(report.size() - ReadFailure(116).size(), std::string::npos,
                                    ReadFailure(116)) == 0,
                 report.c_str());
        QCOMPARE(f.boxes.notices, Strings{"Done."});
        QVERIFY(!form.IsExtracting());
        QCOMPARE(form.pointer(), int(kDefaultPointer));
    }

    // Ticking the 7-digit box while the run is at the second number counts from that number on;
    // the change is written at once.
    void optionsChangedDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        form.inputList().append(temp.write("a.txt", "555-1231 x 555-1232 x 555-1233"));
        f.loop.onYield = [&](int pass) {
            // Pass 1 comes before the file, pass 2 before the first number.
            if (pass == 3) f.find<OptionBox>("Check1_2")->click();
        };
        Start(f);
        QCOMPARE(ResultRows(form), (Strings{"5551232", "5551233"}));
        QCOMPARE(f.settings.values.at("Phone Length2"), std::string("1"));
    }

    void clearResultsDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.start();
        form.resultList().append(PhoneNumber("99999"));
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142 x 877-798-4143"));
        f.loop.onYield = [&](int pass) {
            if (pass == 3) f.find<QPushButton>("PushButton9")->click();
        };
        Start(f);
        QCOMPARE(ResultRows(form), (Strings{"8777984142", "8777984143"}));
        QCOMPARE(ShownRows(f), (Strings{"8777984142", "8777984143"}));
        QCOMPARE(f.boxes.notices, Strings{"Done."});
    }

    // Closing the window ends the run where it stands: no further handler, no message.
    void closingDuringTheRun() {
        TempFiles temp;
        WindowFixture f;
        Form1& form = f.show();
        QSignalSpy closing(&form, &Form1::closing);
        form.inputList().append(temp.write("a.txt", "877-798-4141 x 877-798-4142 x 877-798-4143"));
        form.inputList().append(temp.path("missing.txt"));
        int passes = 0;
        f.loop.onYield = [&](int pass) {
            passes = pass;
            if (pass == 3) form.close();
            if (pass > 3) f.find<QPushButton>("PushButton5")->click();
        };
        Start(f);
        QCOMPARE(passes, 3);
        QCOMPARE(closing.count(), 1);
        QCOMPARE(ResultRows(form), Strings{"8777984141"});
        QVERIFY(f.boxes.notices.empty());
        QVERIFY(f.errors.reports.empty());
        QVERIFY(!form.IsExtracting());
        // Nothing runs any more, whatever arrives.
        f.find<QPushButton>("PushButton5")->click();
        Start(f);
        QVERIFY(f.boxes.notices.empty());
    }
};

QTEST_MAIN(WindowRunTest)
#include "test_window_run.moc"
