// The input file list: rows in insertion order with their exact bytes, 1-based access, removal
// moving the rows below up, and an observer told around every change.

#include <QtTest>

#include <string>
#include <vector>

#include "input_list.h"

using namespace tessaly;

using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace {

// Writes down every notification, and checks the list's count at each.
class Recorder : public InputListObserver {
public:
    explicit Recorder(const InputList& list) : list_(list) {}
    void beforeAppend(std::size_t first, std::size_t count) override {
        log.push_back("before append " + std::to_string(first) + "+" + std::to_string(count) +
                      " at " + std::to_string(list_.count()));
    }
    void afterAppend() override { log.push_back("after append at " + std::to_string(list_.count())); }
    void beforeRemove(std::size_t row) override {
        log.push_back("before remove " + std::to_string(row) + " at " + std::to_string(list_.count()));
    }
    void afterRemove() override { log.push_back("after remove at " + std::to_string(list_.count())); }
    void beforeReset() override { log.push_back("before reset at " + std::to_string(list_.count())); }
    void afterReset() override { log.push_back("after reset at " + std::to_string(list_.count())); }
    void rowChanged(std::size_t row) override { log.push_back("changed " + std::to_string(row)); }

    Strings log;

private:
    const InputList& list_;
};

Strings Rows(const InputList& list) { return Strings(list.rows().begin(), list.rows().end()); }

}  // namespace

class InputListTest : public QObject {
    Q_OBJECT

private slots:
    void removal_data() {
        QTest::addColumn<Strings>("rows");
        QTest::addColumn<int>("remove");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("middle row: the last moves up") << Strings{"/a", "/b", "/c"} << 2
                                                       << Strings{"/a", "/c"};
        QTest::newRow("first row") << Strings{"/a", "/b"} << 1 << Strings{"/b"};
        QTest::newRow("last remaining row") << Strings{"/a"} << 1 << Strings{};
        QTest::newRow("one of two equal rows") << Strings{"/same", "/same"} << 2
                                               << Strings{"/same"};
    }
    void removal() {
        QFETCH(Strings, rows);
        QFETCH(int, remove);
        QFETCH(Strings, expected);
        InputList list;
        for (const std::string& r : rows) list.append(r);
        list.removeAt(static_cast<std::size_t>(remove));
        QCOMPARE(Rows(list), expected);
    }

    void rowsOutsideTheListDoNotExist_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::newRow("row 0") << 2 << 0;
        QTest::newRow("past the end") << 2 << 3;
        QTest::newRow("empty list") << 0 << 1;
    }
    void rowsOutsideTheListDoNotExist() {
        QFETCH(int, rows);
        QFETCH(int, row);
        InputList list;
        for (int i = 0; i < rows; ++i) list.append("/f" + std::to_string(i));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.at(static_cast<std::size_t>(row)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.removeAt(static_cast<std::size_t>(row)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                                 list.setText(static_cast<std::size_t>(row), "/x"));
        QCOMPARE(list.count(), std::size_t(rows));
    }

    // Names are bytes: one that is not valid UTF-8 comes back exactly as it went in.
    void namesKeepTheirBytes_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("latin-1 byte") << QByteArray("/tmp/caf\xe9.txt");
        QTest::newRow("utf-8") << QByteArray("/tmp/caf\xc3\xa9.txt");
        QTest::newRow("blank and pipe") << QByteArray("/tmp/a b|c.txt");
    }
    void namesKeepTheirBytes() {
        QFETCH(QByteArray, name);
        InputList list;
        list.append(name.toStdString());
        QCOMPARE(QByteArray::fromStdString(list.at(1)), name);
    }

    void observerIsToldAroundEachChange_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("append one") << 0
                                    << Strings{"before append 3+1 at 2", "after append at 3"};
        QTest::newRow("append several") << 1
                                        << Strings{"before append 3+2 at 2", "after append at 4"};
        QTest::newRow("remove") << 2 << Strings{"before remove 1 at 2", "after remove at 1"};
        QTest::newRow("clear") << 3 << Strings{"before reset at 2", "after reset at 0"};
        QTest::newRow("set text") << 4 << Strings{"changed 2"};
        QTest::newRow("append nothing") << 5 << Strings{};
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
        switch (change) {
            case 0: list.append("/c"); break;
            case 1: list.append(std::span<const std::string>(two)); break;
            case 2: list.removeAt(1); break;
            case 3: list.clear(); break;
            case 4: list.setText(2, "/z"); break;
            case 5: list.append(std::span<const std::string>()); break;
        }
        QCOMPARE(recorder.log, expected);
    }

    void setTextReplacesOnlyThatRow() {
        InputList list;
        list.append("/a");
        list.append("/b");
        list.setText(1, "/z");
        QCOMPARE(Rows(list), (Strings{"/z", "/b"}));
    }
};

QTEST_APPLESS_MAIN(InputListTest)
#include "test_input_list.moc"
