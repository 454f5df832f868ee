// "Remove Duplicates From Results": the first of each number survives in place, against a
// plain pairwise walk as the reference; the empty list; and a list changed while the removal
// yields.

#include <QtTest>
#include <random>
#include <string>
#include <vector>

#include "error_report.h"
#include "remove_duplicates_command.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_message_boxes.h"
#include "support/fake_window_pointer.h"

using namespace tessaly;
using namespace tessaly::testing;

namespace {

enum Fault { kNoFault, kRowsCleared, kRowRemoved, kRowsAppended, kClosing, kPointerReset };

struct Harness {
    // Row i is found on line i of one file.
    explicit Harness(const QStringList& rows) {
        FoundNumbers found;
        found.startFile({"f.txt", {}});
        for (const QString& r : rows)
            found.add(PhoneNumber(r.toStdString()), found.lines.size() + 1);
        results.append(found);
    }
    void click() {
        RemoveDuplicatesCommand(results, boxes, pointer, loop, errors,
                                Pacing{std::chrono::microseconds(0), {}})
            .run();
    }
    QStringList rows() const {
        QStringList out;
        for (const PhoneNumber& n : results.rows())
            out << QString::fromStdString(n.str());
        return out;
    }
    ResultList results;
    FakeMessageBoxes boxes;
    FakeWindowPointer pointer;
    FakeEventLoop loop;
    FakeErrorBox errors;
};

// The first of each text survives: each row against every row before it.
QStringList FirstOfEach(const QStringList& rows) {
    QStringList out;
    for (const QString& r : rows) {
        if (!out.contains(r)) out << r;
    }
    return out;
}

}  // namespace

class TestRemoveDuplicates : public QObject {
    Q_OBJECT
  private slots:
    void removal_data();
    void removal();
    void agreesWithPairwiseWalk_data();
    void agreesWithPairwiseWalk();
    void listChangedMeanwhile_data();
    void listChangedMeanwhile();
};

void TestRemoveDuplicates::removal_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected");
    const QString a = "5551234567", b = "5559876543", c = "12345";
    QTest::newRow("empty list refused") << QStringList{} << QStringList{};
    QTest::newRow("no duplicates, order kept") << QStringList{b, a, c} << QStringList{b, a, c};
    QTest::newRow("A B A A C B") << QStringList{a, b, a, a, c, b} << QStringList{a, b, c};
    QTest::newRow("all equal keep the first") << QStringList{a, a, a, a} << QStringList{a};
    QTest::newRow("one row") << QStringList{c} << QStringList{c};
    QTest::newRow("leading zero and length count")
        << QStringList{"0555123456", "555123456", "05551234560", "0555123456"}
        << QStringList{"0555123456", "555123456", "05551234560"};
}

void TestRemoveDuplicates::removal() {
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    Harness h(rows);
    h.click();
    QCOMPARE(h.rows(), expected);
    // Each row that stays is the first of its number, with its own line.
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(h.results.sourceAt(std::size_t(i) + 1).line,
                 std::uint64_t(rows.indexOf(expected[i]) + 1));
    const bool refused = rows.isEmpty();
    const QList<int> pointers = refused ? QList<int>{} : QList<int>{kBusyPointer, kDefaultPointer};
    QCOMPARE(QList<int>(h.pointer.history.begin(), h.pointer.history.end()), pointers);
    QCOMPARE(h.boxes.notices, refused ? std::vector<std::string>{"You must have results first."}
                                      : std::vector<std::string>{});
    QVERIFY(h.errors.reports.empty());
    // A second run finds nothing to do and leaves the list alone.
    const std::uint64_t generation = h.results.generation();
    h.click();
    QCOMPARE(h.rows(), expected);
    QCOMPARE(h.results.generation(), generation);
}

void TestRemoveDuplicates::agreesWithPairwiseWalk_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("distinct");
    QTest::newRow("few distinct") << 500 << 3;
    QTest::newRow("half repeated") << 3000 << 1500;
    QTest::newRow("mostly unique") << 4000 << 1000000;
}

void TestRemoveDuplicates::agreesWithPairwiseWalk() {
    QFETCH(int, rows);
    QFETCH(int, distinct);
    std::mt19937 random(static_cast<unsigned>(rows * 31 + distinct));
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    QStringList list;
    for (int i = 0; i < rows; ++i)
        list << QString::number(5550000000LL + pick(random) * 977LL);
    // Rows appended during the walk take the table past the size it was made for.
    Harness h(list.mid(0, 10));
    h.loop.onYield = [&](int pass) {
        if (pass == 5) {
            for (const QString& r : list.mid(10))
                h.results.append(PhoneNumber(r.toStdString()));
        }
    };
    h.click();
    QCOMPARE(h.rows(), FirstOfEach(list));
    QVERIFY(h.errors.reports.empty());
}

void TestRemoveDuplicates::listChangedMeanwhile_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<int>("lastPointer");
    const QString a = "5551234567", b = "5559876543";
    QTest::newRow("cleared: report, list stays empty")
        << int(kRowsCleared) << QStringList{} << true << int(kDefaultPointer);
    QTest::newRow("row removed: report, nothing else removed")
        << int(kRowRemoved) << QStringList{b, a, b, a} << true << int(kDefaultPointer);
    QTest::newRow("rows appended are compared too")
        << int(kRowsAppended) << QStringList{a, b, "12345"} << false << int(kDefaultPointer);
    QTest::newRow("window closing: list untouched")
        << int(kClosing) << QStringList{a, b, a, b, a} << false << int(kBusyPointer);
    QTest::newRow("pointer put back after a pass")
        << int(kPointerReset) << QStringList{a, b} << false << int(kDefaultPointer);
}

void TestRemoveDuplicates::listChangedMeanwhile() {
    QFETCH(int, fault);
    QFETCH(QStringList, expected);
    QFETCH(bool, reported);
    QFETCH(int, lastPointer);
    const QString a = "5551234567", b = "5559876543";
    Harness h({a, b, a, b, a});
    h.loop.onYield = [&](int pass) {
        if (pass != 3) return;
        if (fault == kRowsCleared) h.results.clear();
        if (fault == kRowRemoved) h.results.removeAt(1);
        if (fault == kRowsAppended) {
            for (const char* r : {"12345", "5551234567", "12345"})
                h.results.append(PhoneNumber(r));
        }
        if (fault == kClosing) h.loop.closing = true;
        if (fault == kPointerReset) h.pointer.setPointer(kArrowPointer);
    };
    h.click();
    QCOMPARE(h.rows(), expected);
    QCOMPARE(h.errors.reports.size(), std::size_t(reported ? 1 : 0));
    if (reported) {
        QVERIFY(h.errors.reports[0].find(std::string(RemoveDuplicatesCommand::kProcedure) +
                                         " at line 106\r\r") != std::string::npos);
    }
    QCOMPARE(h.pointer.value, lastPointer);
    if (fault == kPointerReset) QCOMPARE(h.pointer.history.end()[-2], int(kBusyPointer));
}

QTEST_APPLESS_MAIN(TestRemoveDuplicates)
#include "test_remove_duplicates.moc"
