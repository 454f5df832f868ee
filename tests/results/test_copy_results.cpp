// "Copy Results To Clipboard": the text that reaches the clipboard, the retry rule, the notice,
// and what a removal or the window closing during the copy leave behind.

#include <QtTest>
#include <string>

#include "copy_results_command.h"
#include "error_report.h"
#include "support/fake_clipboard.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_message_boxes.h"

using namespace tessaly;
using namespace tessaly::testing;

namespace {

enum Fault { kNoFault, kRowRemoved, kClosing, kRowsAppended };

const std::string kNotice =
    "Results have been copied to the clipboard.\r\rClick a text area where you normally type and "
    "press Ctrl+V to paste the clipboard.";

}  // namespace

class TestCopyResults : public QObject {
    Q_OBJECT
  private slots:
    void copy_data();
    void copy();
    void retries_data();
    void retries();
};

void TestCopyResults::copy_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("clipboard");  // null: left untouched
    QTest::addColumn<int>("reportLabel");       // 0: none
    QTest::addColumn<bool>("notice");
    const QStringList three{"5551234567", "1234567", "5551234567"};
    QTest::newRow("empty list leaves the clipboard")
        << QStringList{} << int(kNoFault) << QByteArray() << 0 << true;
    QTest::newRow("three numbers, shorter one unpadded")
        << three << int(kNoFault) << QByteArray("5551234567\n1234567\n5551234567\n") << 0 << true;
    QTest::newRow("row removed meanwhile: report, clipboard kept, no notice")
        << three << int(kRowRemoved) << QByteArray() << 106 << false;
    QTest::newRow("window closing: nothing at all")
        << three << int(kClosing) << QByteArray() << 0 << false;
    QTest::newRow("rows appended meanwhile are left for the next copy")
        << three << int(kRowsAppended) << QByteArray("5551234567\n1234567\n5551234567\n") << 0
        << true;
}

void TestCopyResults::copy() {
    QFETCH(QStringList, rows);
    QFETCH(int, fault);
    QFETCH(QByteArray, clipboard);
    QFETCH(int, reportLabel);
    QFETCH(bool, notice);
    ResultList results;
    for (const QString& r : rows)
        results.append(PhoneNumber(r.toStdString()));
    FakeClipboard board;
    FakeMessageBoxes boxes;
    FakeEventLoop loop;
    FakeErrorBox errors;
    loop.onYield = [&](int pass) {
        if (pass != 2) return;
        if (fault == kRowRemoved) results.removeAt(3);
        if (fault == kClosing) loop.closing = true;
        if (fault == kRowsAppended) results.append(PhoneNumber("99999999999999999999"));
    };

    CopyResultsCommand(results, board, boxes, loop, errors,
                       Pacing{std::chrono::microseconds(0), {}})
        .run();

    QCOMPARE(board.text.has_value(), !clipboard.isNull());
    if (board.text) QCOMPARE(QByteArray::fromStdString(*board.text), clipboard);
    QCOMPARE(boxes.notices,
             notice ? std::vector<std::string>{kNotice} : std::vector<std::string>{});
    QCOMPARE(errors.reports.size(), std::size_t(reportLabel ? 1 : 0));
    if (reportLabel) {
        QVERIFY(errors.reports[0].find(std::string(CopyResultsCommand::kProcedure) + " at line " +
                                       std::to_string(reportLabel) + "\r\r") != std::string::npos);
    }
}

void TestCopyResults::retries_data() {
    QTest::addColumn<int>("failures");  // attempts refused before the clipboard takes one
    QTest::addColumn<int>("clearAttempts");
    QTest::addColumn<int>("setAttempts");
    QTest::addColumn<bool>("copied");  // otherwise the notice says nothing was copied
    QTest::newRow("free at once") << 0 << 1 << 1 << true;
    QTest::newRow("free at the last attempt") << 999 << 1000 << 1 << true;
    QTest::newRow("emptying gives up, setting succeeds") << 1000 << 1000 << 1 << true;
    QTest::newRow("setting succeeds at its last attempt") << 1999 << 1000 << 1000 << true;
    QTest::newRow("busy throughout") << 5000 << 1000 << 1000 << false;
}

void TestCopyResults::retries() {
    QFETCH(int, failures);
    QFETCH(int, clearAttempts);
    QFETCH(int, setAttempts);
    QFETCH(bool, copied);
    ResultList results;
    results.append(PhoneNumber("5551234567"));
    FakeClipboard board;
    board.failuresLeft = failures;
    FakeMessageBoxes boxes;
    FakeEventLoop loop;
    FakeErrorBox errors;

    CopyResultsCommand(results, board, boxes, loop, errors).run();

    QCOMPARE(board.clearAttempts, clearAttempts);
    QCOMPARE(board.setAttempts, setAttempts);
    QCOMPARE(board.text == std::optional<std::string>("5551234567\n"), copied);
    QVERIFY(errors.reports.empty());
    QCOMPARE(boxes.notices,
             std::vector<std::string>{copied ? kNotice : std::string(kClipboardBusyNotice)});
}

QTEST_APPLESS_MAIN(TestCopyResults)
#include "test_copy_results.moc"
