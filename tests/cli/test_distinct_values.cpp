// DistinctValues against a plain reference at sizes where its table grows many times (fourfold,
// and doubling as large tables do): the answer of every add, the counts in order of first
// finding (also when counted on the counting thread), and values forgotten in the middle of long
// runs of neighbouring slots; a file's findings taken back; counts past 32 bits; the short copy
// and compare at every length.

#include <QtTest>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "counting_thread.h"
#include "distinct_values.h"
#include "page_block.h"
#include "short_bytes.h"

using tessaly::cli::CountingThread;
using tessaly::cli::DistinctValues;

namespace tessaly::cli {
// Sets a value's count, as a run that found it billions of times would have left it.
struct DistinctValuesSeam {
    static void setCount(DistinctValues& values, std::string_view value, std::uint64_t count) {
        values.drain();
        for (std::size_t at = 0; at < values.textSize_; at = values.nextRecord(at)) {
            if (values.valueAt(at) == value) values.setCount(at, count);
        }
    }
    // Makes the table double from `homes` on instead of from millions of values on.
    static void doubleFrom(DistinctValues& values, std::size_t homes) {
        values.fourfoldBelow_ = homes;
    }
};
}  // namespace tessaly::cli

namespace {

std::map<std::string, std::uint64_t> Counts(DistinctValues& values) {
    std::map<std::string, std::uint64_t> counts;
    values.forEach([&](std::string_view v, std::uint64_t n) { counts[std::string(v)] = n; });
    return counts;
}

}  // namespace

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
        // The counting thread's length byte: 255 and more take a 32-bit length after it.
        QTest::newRow("254 to 256 bytes") << 20000 << 8000;
        // The queue of values waiting for their slots holds up to 23 bytes of each.
        QTest::newRow("22 to 25 bytes") << 60000 << 20000;
        // Large tables double instead of growing fourfold: here from 4096 homes on.
        QTest::newRow("mostly distinct, doubling") << 200000 << 150000;
    }
    void matchesReference() {
        QFETCH(int, values);
        QFETCH(int, spread);
        const bool longValues = QByteArray(QTest::currentDataTag()) == "long values";
        const bool mixed = QByteArray(QTest::currentDataTag()) == "digits and others";
        const int padFrom = QByteArray(QTest::currentDataTag()).startsWith("254")  ? 254
                            : QByteArray(QTest::currentDataTag()).startsWith("22") ? 22
                                                                                   : 0;
        DistinctValues counted, added;
        if (QByteArray(QTest::currentDataTag()).endsWith("doubling")) {
            tessaly::cli::DistinctValuesSeam::doubleFrom(counted, 4096);
            tessaly::cli::DistinctValuesSeam::doubleFrom(added, 4096);
        }
        CountingThread threaded, lined;
        std::string lines;  // values handed to `lined` as blocks of lines
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
            if (padFrom) value.insert(0, padFrom + (state >> 62) - value.size(), '-');
            if (i == values / 2) mark = added.mark();
            const bool isNew = !reference.contains(value);
            if (isNew) order.push_back(value);
            ++reference[value];
            counted.count(value);
            threaded.count(value);
            lines += value + '\n';
            if (i % 97 == 0) {
                lined.countLines(lines);
                lines.clear();
            }
            QCOMPARE(added.add(value), isNew);
        }
        lined.countLines(lines);
        for (DistinctValues* table : {&counted, &threaded.finish(), &lined.finish()}) {
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

    // A file's values forgotten, in tables filled to just below where they double, so that
    // the file's values make them double: its slots are then placed among the kept ones, and
    // every kept value must stay found once they are gone. With `takeBack` the file is counted
    // and taken back whole, the counts of kept values it found again included.
    void forgettingKeepsTheRest_data() {
        QTest::addColumn<int>("homes");  // where the table starts
        QTest::addColumn<bool>("takeBack");
        QTest::addColumn<bool>("doubling");  // the table doubles instead of growing fourfold
        QTest::newRow("forgotten since a mark") << 1024 << false << false;
        QTest::newRow("forgotten since a mark, grown before") << 4096 << false << false;
        QTest::newRow("file taken back") << 1024 << true << false;
        QTest::newRow("forgotten since a mark, doubling") << 4096 << false << true;
        QTest::newRow("file taken back, doubling") << 4096 << true << true;
    }
    void forgettingKeepsTheRest() {
        QFETCH(int, homes);
        QFETCH(bool, takeBack);
        QFETCH(bool, doubling);
        std::uint64_t state = 2463534242ULL;
        for (int round = 0; round < 2000; ++round) {
            DistinctValues values;
            if (doubling) tessaly::cli::DistinctValuesSeam::doubleFrom(values, 4096);
            const int kept = homes * 3 / 4 - 60 + round % 60;
            for (int k = 0; k < kept; ++k)
                values.count(std::to_string(5550000000 + k));
            const std::size_t mark = values.mark();
            if (takeBack) values.startFile();
            for (int k = 0; k < 120; ++k) {
                state ^= state << 13, state ^= state >> 7, state ^= state << 17;
                // New values, and some kept ones found again.
                const std::string v = std::to_string(k % 3 ? 7770000000 + state % 1000000
                                                           : 5550000000 + state % kept);
                takeBack ? values.count(v) : void(values.add(v));
            }
            takeBack ? values.forgetFile() : values.forgetSince(mark);
            // forgetSince leaves the counts as they are; a file taken back restores them.
            std::size_t found = 0, countedOnce = 0;
            values.forEach([&](std::string_view, std::uint64_t count) {
                ++found;
                countedOnce += count == 1;
            });
            QCOMPARE(found, std::size_t(kept));
            if (takeBack) QCOMPARE(countedOnce, std::size_t(kept));
            for (int k = 0; k < kept; ++k) {
                QVERIFY2(!values.add(std::to_string(5550000000 + k)),
                         qPrintable(QString("value %1 lost in round %2").arg(k).arg(round)));
            }
        }
    }

    // A count past what 32 bits hold, taken back past it and below it again.
    void countsPast32Bits_data() {
        QTest::addColumn<qulonglong>("start");
        QTest::addColumn<int>("more");
        QTest::newRow("crossing") << qulonglong(UINT32_MAX - 2) << 5;
        QTest::newRow("from the limit") << qulonglong(UINT32_MAX) << 3;
        QTest::newRow("far past") << qulonglong(1ULL << 40) << 2;
    }
    void countsPast32Bits() {
        QFETCH(qulonglong, start);
        QFETCH(int, more);
        DistinctValues values;
        values.count("5551234567");
        tessaly::cli::DistinctValuesSeam::setCount(values, "5551234567", start);
        values.startFile();
        for (int i = 0; i < more; ++i)
            values.count("5551234567");
        QCOMPARE(Counts(values).at("5551234567"), std::uint64_t(start) + more);
        values.forgetFile();
        QCOMPARE(Counts(values).at("5551234567"), std::uint64_t(start));
    }

    // The short copy and compare at every length a value may have and past it, at offsets that
    // leave the bytes unaligned: exactly n bytes copied, and every differing byte seen.
    void shortBytes_data() {
        QTest::addColumn<int>("length");
        for (int n = 0; n <= 40; ++n)
            QTest::addRow("%d bytes", n) << n;
    }
    void shortBytes() {
        QFETCH(int, length);
        const auto n = std::size_t(length);
        std::string from(n + 3, '\0');
        for (std::size_t i = 0; i < from.size(); ++i)
            from[i] = char('a' + i % 26);
        std::string to(n + 8, '#');
        tessaly::cli::CopyShort(to.data() + 3, from.data() + 3, n);
        QCOMPARE(to, std::string(3, '#') + from.substr(3) + std::string(5, '#'));
        std::string same = from;
        QVERIFY(tessaly::cli::SameShort(from.data() + 3, same.data() + 3, n));
        for (std::size_t i = 3; i < n + 3; ++i) {
            same[i] = char(same[i] ^ 0x40);
            QVERIFY2(!tessaly::cli::SameShort(from.data() + 3, same.data() + 3, n),
                     qPrintable(QString("byte %1 differs").arg(i - 3)));
            same[i] = from[i];
        }
    }

    // The memory under the tables: growing keeps every byte written, the new bytes read zero,
    // and a smaller size asked for changes nothing.
    void pageBlockGrowth_data() {
        QTest::addColumn<std::size_t>("first");
        QTest::addColumn<std::size_t>("then");
        const std::size_t page = std::size_t{2} << 20;
        QTest::newRow("within the first page") << std::size_t{1} << std::size_t{4096};
        QTest::newRow("to the next page") << page << page + 1;
        QTest::newRow("far past twice the size") << std::size_t{100} << 5 * page + 3;
        QTest::newRow("smaller asked") << 3 * page << std::size_t{10};
    }
    void pageBlockGrowth() {
        QFETCH(std::size_t, first);
        QFETCH(std::size_t, then);
        tessaly::PageBlock block;
        block.growTo(first);
        QVERIFY(block.size() >= first);
        const std::size_t before = block.size();
        QVERIFY(std::all_of(block.data(), block.data() + before, [](char c) { return c == 0; }));
        for (std::size_t i = 0; i < before; ++i)
            block.data()[i] = char(i * 7 + 1);
        block.growTo(then);
        QVERIFY(block.size() >= std::max(then, before));
        if (then > before) QVERIFY(block.size() >= 2 * before);  // few moves for many steps
        for (std::size_t i = 0; i < before; ++i)
            QCOMPARE(block.data()[i], char(i * 7 + 1));
        QVERIFY(std::all_of(block.data() + before, block.data() + block.size(),
                            [](char c) { return c == 0; }));
    }
};

QTEST_APPLESS_MAIN(TestDistinctValues)
#include "test_distinct_values.moc"
