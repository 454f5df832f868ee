// The error report's text and the trapping of numbered steps.

#include <QtTest>

#include <stdexcept>

#include "error_report.h"
#include "product.h"
#include "support/fake_error_box.h"
#include "support/table_types.h"

using namespace tessaly;
using tessaly::testing::FakeErrorBox;

class ErrorReportTest : public QObject {
    Q_OBJECT

  private slots:
    void text_data() {
        QTest::addColumn<std::string>("description");
        QTest::addColumn<std::string>("procedure");
        QTest::addColumn<int>("label");
        QTest::addColumn<std::string>("expected");
        const std::string tail =
            "Please email screenshot of this message to " + std::string(kSupportAddress);
        QTest::newRow("start-up at 104")
            << std::string("File not found") << std::string("Corvalin2021/08/31.Form1.Form_Load")
            << 104
            << "File not found\r\nin Corvalin2021/08/31.Form1.Form_Load at line 104\r\r" + tail;
        QTest::newRow("folder walk word")
            << std::string("Access denied")
            << std::string("Marlowen2021/08/31.AddFolder.GetSubDirectories2016") << 160
            << "Access denied\r\nin Marlowen2021/08/31.AddFolder.GetSubDirectories2016 at line "
               "160\r\r" +
                   tail;
        QTest::newRow("empty description")
            << std::string() << std::string("Corvalin2021/08/31.Form1.PushButton7_Click") << 100
            << "\r\nin Corvalin2021/08/31.Form1.PushButton7_Click at line 100\r\r" + tail;
    }

    void text() {
        QFETCH(std::string, description);
        QFETCH(std::string, procedure);
        QFETCH(int, label);
        QFETCH(std::string, expected);
        QCOMPARE(ErrorReportText(description, procedure, label), expected);
    }

    // Every failing step is reported with its own label and the procedure goes on; a failure
    // inside a called function skips the rest of that function only.
    void trapContinues() {
        FakeErrorBox box;
        const std::string_view procedure = "Corvalin2021/08/31.Form1.PushButton6_Click";
        Trap trap(box, procedure);
        std::vector<int> ran;
        auto called = [&] {
            ran.push_back(1);
            throw std::runtime_error("Disk full");
            ran.push_back(2);  // skipped
        };
        QVERIFY(trap.step(100, [&] { ran.push_back(0); }));
        QVERIFY(!trap.step(128, called));
        QVERIFY(!trap.step(130, [] { throw std::bad_alloc(); }));
        QVERIFY(!trap.step(132, [] { throw 42; }));
        QVERIFY(trap.step(134, [&] { ran.push_back(3); }));
        QCOMPARE(ran, (std::vector<int>{0, 1, 3}));
        QCOMPARE(box.reports.size(), std::size_t(3));
        QCOMPARE(box.reports[0], ErrorReportText("Disk full", procedure, 128));
        QCOMPARE(box.reports[1], ErrorReportText("Out of memory", procedure, 130));
        QCOMPARE(box.reports[2], ErrorReportText("Unexpected failure", procedure, 132));
    }
};

QTEST_APPLESS_MAIN(ErrorReportTest)
#include "test_error_report.moc"
