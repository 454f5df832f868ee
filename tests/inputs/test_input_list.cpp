// The input file list: 1-based rows that keep their order, removal moving the rows below up,
// rows that do not exist refused, and the observer told around every change.

#include <QtTest>

#include "support/cat.h"

#include <string>
#include <vector>

#include "input_list.h"
#include "support/table_types.h"

using namespace tessaly;

using Strings = std::vector<std::string>;

namespace {

// Writes down every notification with the list's row count at that moment.
class Recorder : public InputListObserver {
  public:
    explicit Recorder(const InputList& list) : list_(list) {}
    void beforeAppend(std::size_t first, std::size_t n) override {
        note(tessaly::testing::Cat("+", std::to_string(first), "x", std::to_string(n)));
    }
    void afterAppend() override { note("appended"); }
    void beforeRemove(std::size_t row) override {
        note(tessaly::testing::Cat("-", std::to_string(row)));
    }
    void afterRemove() override { note("removed"); }
    void beforeReset() override { note("reset"); }
    void afterReset() override { note("was reset"); }
    void rowChanged(std::size_t row) override { note("changed " + std::to_string(row)); }
    Strings log;

  private:
    void note(const std::string& what) {
        log.push_back(what + "@" + std::to_string(list_.count()));
    }
    const InputList& list_;
};

}  // namespace

class InputListTest : public QObject {
    Q_OBJECT

  private slots:
    void removal_data() {
        QTest::addColumn<Strings>("rows");
        QTest::addColumn<int>("remove");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("middle: the last moves up")
            << Strings{"/a", "/b", "/c"} << 2 << Strings{"/a", "/c"};
        QTest::newRow("last remaining row") << Strings{"/a"} << 1 << Strings{};
        QTest::newRow("one of two equal rows") << Strings{"/s", "/s"} << 2 << Strings{"/s"};
    }
    void removal() {
        QFETCH(Strings, rows);
        QFETCH(int, remove);
        QFETCH(Strings, expected);
        InputList list;
        for (const std::string& r : rows)
            list.append(r);
        list.removeAt(std::size_t(remove));
        QCOMPARE(Strings(list.rows().begin(), list.rows().end()), expected);
    }

    void missingRowsAreRefused_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::newRow("row 0") << 2 << 0;
        QTest::newRow("past the end") << 2 << 3;
        QTest::newRow("empty list") << 0 << 1;
    }
    void missingRowsAreRefused() {
        QFETCH(int, rows);
        QFETCH(int, row);
        InputList list;
        for (int i = 0; i < rows; ++i)
            list.append("/f");
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.at(std::size_t(row)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.removeAt(std::size_t(row)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.setText(std::size_t(row), "/x"));
        QCOMPARE(list.count(), std::size_t(rows));
    }

    void observerIsToldAroundEachChange_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("append one") << 0 << Strings{"+3x1@2", "appended@3"};
        QTest::newRow("append two") << 1 << Strings{"+3x2@2", "appended@4"};
        QTest::newRow("append none") << 2 << Strings{};
        QTest::newRow("remove") << 3 << Strings{"-1@2", "removed@1"};
        QTest::newRow("clear") << 4 << Strings{"reset@2", "was reset@0"};
        QTest::newRow("set text") << 5 << Strings{"changed 2@2"};
    }
    void observerIsToldAroundEachChange() {
        QFETCH(int, change);
        QFETCH(Strings, expected);
        InputList list;
        list.append("/a");
        list.append("/b");
        Recorder recorder(list);
        list.setObserver(&recorder);
        const Strings two{"/c", "/d"};
        if (change == 0) list.append("/c");
        if (change == 1) list.append(std::span<const std::string>(two));
        if (change == 2) list.append(std::span<const std::string>());
        if (change == 3) list.removeAt(1);
        if (change == 4) list.clear();
        if (change == 5) list.setText(2, "/z");
        QCOMPARE(recorder.log, expected);
        if (change == 5) QCOMPARE(list.at(2), std::string("/z"));
    }
};

QTEST_APPLESS_MAIN(InputListTest)
#include "test_input_list.moc"
