// DistinctValues against a plain reference at sizes where its table grows many times: the
// answer of every add, the counts in order of first finding (also when counted on the counting
// thread), and values forgotten in the middle of long runs of neighbouring slots.

#include <QtTest>
#include <map>
#include <string>
#include <vector>

#include "counting_thread.h"
#include "distinct_values.h"

using tessaly::cli::CountingThread;
using tessaly::cli::DistinctValues;

class TestDistinctValues : public QObject {
    Q_OBJECT
  private slots:
    void matchesReference_data() {
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("spread");  // distinct values among them
        QTest::newRow("few, many repeats") << 20000 << 50;
        QTest::newRow("mostly distinct") << 200000 << 150000;
        QTest::newRow("long values") << 30000 << 20000;
        QTest::newRow("digits and others") << 60000 << 20000;
    }
    void matchesReference() {
        QFETCH(int, values);
        QFETCH(int, spread);
        const bool longValues = QByteArray(QTest::currentDataTag()) == "long values";
        const bool mixed = QByteArray(QTest::currentDataTag()) == "digits and others";
        DistinctValues counted, added;
        CountingThread threaded;
        std::map<std::string, std::uint64_t> reference;
        std::vector<std::string> order;
        std::uint64_t state = 88172645463325252ULL;
        std::size_t mark = 0;
        for (int i = 0; i < values; ++i) {
            state ^= state << 13, state ^= state >> 7, state ^= state << 17;
            std::string value = std::to_string(state % spread);
            if (longValues)
                value = std::string(state & 1 ? 300 : 30, '-') + value;  // past the queue
            if (mixed)
                value = std::string(state >> 60 & 1, '+') + std::string(state >> 61, '0') + value;
            if (i == values / 2) mark = added.mark();
            const bool isNew = !reference.contains(value);
            if (isNew) order.push_back(value);
            ++reference[value];
            counted.count(value);
            threaded.count(value);
            QCOMPARE(added.add(value), isNew);
        }
        for (DistinctValues* table : {&counted, &threaded.finish()}) {
            std::vector<std::string> gotOrder;
            table->forEach([&](std::string_view value, std::uint64_t count) {
                gotOrder.emplace_back(value);
                QCOMPARE(count, reference[std::string(value)]);
            });
            QCOMPARE(gotOrder, order);
        }

        // What the second half found first is forgotten; the first half's values stay.
        added.forgetSince(mark);
        std::size_t firstHalf = 0;
        added.forEach([&](std::string_view, std::uint64_t) { ++firstHalf; });
        for (std::size_t k = 0; k < order.size(); ++k)
            QCOMPARE(added.add(order[k]), k >= firstHalf);
    }
};

QTEST_APPLESS_MAIN(TestDistinctValues)
#include "test_distinct_values.moc"
