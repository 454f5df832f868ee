// "Save Results As Text File" and "Save As Comma Delimited": the dialog, the overwrite question
// and its answers, the pointer, the bytes that reach the disk, and the failures that must leave
// an existing file as it was.

#include <QtTest>
#include <string>
#include <vector>

#include "error_report.h"
#include "save_comma_command.h"
#include "save_prompts.h"
#include "save_text_command.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_file_writer.h"
#include "support/fake_message_boxes.h"
#include "support/fake_save_dialog.h"
#include "support/fake_window_pointer.h"

using namespace tessaly;
using namespace tessaly::testing;

namespace {

enum Command { kText, kComma };
enum Fault {
    kNoFault,
    kWriteFails,
    kCommitFails,
    kCreateFails,
    kNoReader,
    kRowsCleared,
    kRowRemoved,
    kRowsAppended,
    kClosing,
    kPointerReset
};

const std::string kPath = "/data/out.txt";

struct Harness {
    explicit Harness(std::size_t rows) {
        for (std::size_t i = 0; i < rows; ++i) {
            results.append(PhoneNumber(std::to_string(5550000000 + i * 7)));
        }
        dialog.answer = kPath;
    }
    void click(Command command) {
        const Pacing everyPass{std::chrono::microseconds(0), {}};
        if (command == kText) {
            SaveTextCommand(results, dialog, boxes, pointer, loop, errors, files, everyPass).run();
        } else {
            SaveCommaCommand(results, dialog, boxes, pointer, loop, errors, files, everyPass).run();
        }
    }
    ResultList results;
    FakeSaveDialog dialog;
    FakeMessageBoxes boxes;
    FakeWindowPointer pointer;
    FakeEventLoop loop;
    FakeErrorBox errors;
    FakeFileWriter files;
};

QByteArray Bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}
QList<int> History(const FakeWindowPointer& p) {
    return QList<int>(p.history.begin(), p.history.end());
}

}  // namespace

class TestSaveCommands : public QObject {
    Q_OBJECT
  private slots:
    void answers_data();
    void answers();
    void faults_data();
    void faults();
    void longListIsWrittenWhole_data();
    void longListIsWrittenWhole();
};

void TestSaveCommands::answers_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("chosen");       // empty: Cancel
    QTest::addColumn<QByteArray>("existing");  // null: no such file
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QByteArray>("expected");  // the file afterwards; null: none
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QList<int>>("pointers");
    const QByteArray none;
    const QList<int> busyThenArrow{kBusyPointer, kArrowPointer};
    const QString path = QString::fromStdString(kPath);
    const QStringList three{"5551234567", "1234567", "555123456789"};
    QTest::newRow("text: cancel writes nothing")
        << int(kText) << three << QString() << none << true << none << false << QList<int>{};
    QTest::newRow("comma: cancel writes nothing")
        << int(kComma) << three << QString() << none << true << none << false << QList<int>{};
    QTest::newRow("text: new file, no question")
        << int(kText) << three << path << none << true
        << QByteArray("Results     \t\r\n5551234567  \t\r\n1234567     \t\r\n555123456789\t\r\n")
        << false << busyThenArrow;
    QTest::newRow("comma: new file, no question")
        << int(kComma) << three << path << none << true
        << QByteArray("5551234567,\r\n1234567,\r\n555123456789\r\n") << false << busyThenArrow;
    QTest::newRow("text: empty list still gets its title line")
        << int(kText) << QStringList{} << path << none << true << QByteArray("Results\t\r\n")
        << false << busyThenArrow;
    QTest::newRow("text: Yes replaces the whole file")
        << int(kText) << QStringList{"12345"} << path << QByteArray(200, 'x') << true
        << QByteArray("Results\t\r\n12345  \t\r\n") << true << busyThenArrow;
    QTest::newRow("comma: Yes with an empty list leaves zero bytes")
        << int(kComma) << QStringList{} << path << QByteArray("old") << true << QByteArray("")
        << true << busyThenArrow;
    QTest::newRow("text: No leaves the file, no hourglass")
        << int(kText) << three << path << QByteArray("old") << false << QByteArray("old") << true
        << QList<int>{};
    QTest::newRow("comma: No leaves the file, asked under the hourglass")
        << int(kComma) << three << path << QByteArray("old") << false << QByteArray("old") << true
        << busyThenArrow;
    QTest::newRow("text: name without extension used as typed")
        << int(kText) << QStringList{"12345"} << QString("/data/results") << none << true
        << QByteArray("Results\t\r\n12345  \t\r\n") << false << busyThenArrow;
}

void TestSaveCommands::answers() {
    QFETCH(int, command);
    QFETCH(QStringList, rows);
    QFETCH(QString, chosen);
    QFETCH(QByteArray, existing);
    QFETCH(bool, yes);
    QFETCH(QByteArray, expected);
    QFETCH(bool, asked);
    QFETCH(QList<int>, pointers);
    Harness h(0);
    for (const QString& r : rows)
        h.results.append(PhoneNumber(r.toStdString()));
    const std::string name = chosen.toStdString();
    h.dialog.answer = name;
    if (!existing.isNull()) h.files.files[name] = existing.toStdString();
    h.boxes.answers = {yes};

    h.click(Command(command));

    QCOMPARE(h.dialog.titles, std::vector<std::string>{"Save"});
    QCOMPARE(h.dialog.filters,
             std::vector<std::string>{"Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"});
    const std::vector<std::string> question{"Are you sure you wish to overwrite " + name + " ?"};
    QCOMPARE(h.boxes.questions, asked ? question : std::vector<std::string>{});
    QVERIFY(h.boxes.notices.empty());
    QVERIFY(h.errors.reports.empty());
    QCOMPARE(History(h.pointer), pointers);
    if (expected.isNull()) {
        QCOMPARE(h.files.creates, 0);
        QVERIFY(h.files.files.empty());
    } else {
        QCOMPARE(h.files.files.size(), std::size_t(1));
        QCOMPARE(Bytes(h.files.files[name]), expected);
    }
}

void TestSaveCommands::faults_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("report");  // the first line of the report; empty: none
    QTest::addColumn<int>("lastPointer");
    QTest::addColumn<bool>("replaced");
    const QString writeLabel[] = {"at line 128", "at line 122"};
    const QString ids[] = {QString::fromUtf8(SaveTextCommand::kProcedure.data()),
                           QString::fromUtf8(SaveCommaCommand::kProcedure.data())};
    const QString removed = "Rows of the results were removed while they were being read\r\nin ";
    const QString disk = "Cannot write \"/data/out.txt\": No space left on device\r\nin ";
    for (const int c : {kText, kComma}) {
        const char* n = c == kText ? "text" : "comma";
        const QString where = ids[c] + " " + writeLabel[c];
        auto row = [&](const char* what) -> QTestData& {
            return QTest::newRow(qPrintable(QString("%1: %2").arg(n, what)));
        };
        row("write fails") << c << int(kWriteFails) << disk + where << int(kArrowPointer) << false;
        row("commit fails") << c << int(kCommitFails) << disk + where << int(kArrowPointer)
                            << false;
        row("create fails") << c << int(kCreateFails) << disk + where << int(kArrowPointer)
                            << false;
        // Said as a notice, not reported as a fault; the results stay for another try.
        row("a pipe nobody reads")
            << c << int(kNoReader) << QString() << int(kArrowPointer) << false;
        row("rows cleared meanwhile")
            << c << int(kRowsCleared) << removed + where << int(kArrowPointer) << false;
        row("one row removed meanwhile")
            << c << int(kRowRemoved) << removed + where << int(kArrowPointer) << false;
        row("window closing") << c << int(kClosing) << QString() << int(kBusyPointer) << false;
        row("rows appended meanwhile")
            << c << int(kRowsAppended) << QString() << int(kArrowPointer) << true;
        row("pointer changed meanwhile")
            << c << int(kPointerReset) << QString() << int(kArrowPointer) << true;
    }
}

void TestSaveCommands::faults() {
    QFETCH(int, command);
    QFETCH(int, fault);
    QFETCH(QString, report);
    QFETCH(int, lastPointer);
    QFETCH(bool, replaced);
    Harness h(40);
    h.files.files[kPath] = "old";
    h.files.failPastBytes = fault == kWriteFails ? std::optional<std::size_t>(5) : std::nullopt;
    h.files.failCommit = fault == kCommitFails;
    h.files.failCreate = fault == kCreateFails;
    h.files.noReader = fault == kNoReader;
    std::string expected;  // the bytes of the 40 rows, if they are written
    if (replaced) {
        Harness reference(40);
        reference.click(Command(command));
        expected = reference.files.files[kPath];
    }
    h.loop.onYield = [&](int pass) {
        if (pass != 10) return;
        if (fault == kRowsCleared) h.results.clear();
        if (fault == kRowRemoved) h.results.removeAt(1);
        if (fault == kRowsAppended) h.results.append(PhoneNumber("99999999999999999999"));
        if (fault == kClosing) h.loop.closing = true;
        if (fault == kPointerReset) h.pointer.setPointer(kDefaultPointer);
    };

    h.click(Command(command));

    if (report.isEmpty()) {
        QVERIFY(h.errors.reports.empty());
    } else {
        QCOMPARE(h.errors.reports.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(h.errors.reports[0]).section('\r', 0, 1), report);
    }
    QCOMPARE(Bytes(h.files.files[kPath]), Bytes(replaced ? expected : "old"));
    QCOMPARE(h.files.files.size(), std::size_t(1));
    QCOMPARE(h.pointer.value, lastPointer);
    if (fault == kPointerReset) QCOMPARE(h.pointer.history.end()[-2], int(kBusyPointer));
    if (fault == kClosing) QCOMPARE(h.loop.passes, 10);  // stopped at once
    QCOMPARE(h.boxes.notices,
             fault == kNoReader
                 ? std::vector<std::string>{"No program is reading " + std::string(kPath) +
                                            "; the results were not saved."}
                 : std::vector<std::string>{});
    if (fault == kNoReader) QCOMPARE(h.results.count(), std::size_t(40));
}

void TestSaveCommands::longListIsWrittenWhole_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("text") << int(kText);
    QTest::newRow("comma") << int(kComma);
}

// Far more bytes than one write takes: every piece must arrive, in order.
void TestSaveCommands::longListIsWrittenWhole() {
    QFETCH(int, command);
    const std::size_t rows = 100000;
    Harness h(rows);
    h.click(Command(command));
    std::string expected = command == kText ? "Results   \t\r\n" : "";
    for (std::size_t i = 0; i < rows; ++i) {
        expected += std::to_string(5550000000 + i * 7);
        expected += command == kText ? "\t\r\n" : i + 1 < rows ? ",\r\n" : "\r\n";
    }
    QVERIFY(h.files.writes > 1);
    QVERIFY(h.files.files[kPath] == expected);
}

QTEST_APPLESS_MAIN(TestSaveCommands)
#include "test_save_commands.moc"
