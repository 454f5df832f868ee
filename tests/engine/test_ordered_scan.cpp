// Many files on several threads: numbers and failures arrive in file order, whatever the
// number of threads.

#include <QtTest>

#include "ordered_scan.h"
#include "support/temp_files.h"

using namespace tessaly;
using tessaly::testing::TempFiles;

class OrderedScanTest : public QObject {
    Q_OBJECT

  private slots:
    void sameOrderForAnyJobs_data() {
        QTest::addColumn<unsigned>("jobs");
        for (unsigned j : {1u, 2u, 3u, 8u})
            QTest::newRow(qPrintable(QString("jobs %1").arg(j))) << j;
    }

    void sameOrderForAnyJobs() {
        QFETCH(unsigned, jobs);
        TempFiles files;
        std::vector<std::string> paths;
        std::vector<std::string> expected;
        std::vector<std::size_t> expectedLines;
        for (int f = 0; f < 40; ++f) {
            if (f % 7 == 3) {
                paths.push_back(files.path("missing" + std::to_string(f)));
                expected.push_back("failure " + std::to_string(f));
                continue;
            }
            std::string text;
            // File sizes vary a lot, so threads finish out of order; one is handed over in
            // several batches of pieces.
            const int count = f == 5 ? 100000 : f % 5 == 0 ? 30000 : f % 4;
            for (int n = 0; n < count; ++n) {
                const std::string number = std::to_string(1000000 + f * 100000 + n);
                text += "tel " + number + "\n";
                expected.push_back(number);
                expectedLines.push_back(std::size_t(n) + 1);
            }
            paths.push_back(files.write(std::to_string(f), text));
        }
        ScanRules rules;
        rules.lengths = 1u << 7;
        rules.lineNumbers = true;
        std::vector<std::string> got;
        std::vector<std::size_t> gotLines;
        std::vector<std::string> begun;
        const auto next = [&, i = std::size_t(0)]() mutable -> std::optional<std::string> {
            if (i == paths.size()) return std::nullopt;
            return paths[i++];
        };
        OrderedScanEvents events;
        events.file = [&](std::size_t index, const std::string& path) {
            QCOMPARE(index, begun.size());
            begun.push_back(path);
        };
        events.numbers = [&](std::size_t, const ScanBatch& batch) {
            for (const PhoneNumber& n : batch.numbers)
                got.push_back(n.str());
            gotLines.insert(gotLines.end(), batch.lines.begin(), batch.lines.end());
        };
        events.failure = [&](std::size_t index, const std::string& description) {
            QVERIFY(description.find("No such file") != std::string::npos);
            got.push_back("failure " + std::to_string(index));
        };
        ScanFilesInOrder(next, rules, jobs, events);
        QCOMPARE(got.size(), expected.size());
        QVERIFY(got == expected);
        QVERIFY(begun == paths);
        QVERIFY(gotLines == expectedLines);

        // Digit lines come in the same order.
        got.clear();
        begun.clear();
        ScanRules plain;
        plain.lengths = rules.lengths;
        plain.digitLines = true;
        events.numbers = [&](std::size_t, const ScanBatch& batch) {
            QVERIFY(batch.numbers.empty());
            std::string_view text = batch.digitLines.view();
            for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
                 text.remove_prefix(end + 1))
                got.emplace_back(text.substr(0, end));
            QVERIFY(text.empty());
        };
        ScanFilesInOrder(next, plain, jobs, events);
        QVERIFY(got == expected);
        QVERIFY(begun == paths);

        // The written-number reader delivers in the same order.
        got.clear();
        gotLines.clear();
        rules.writtenText = true;
        WrittenScanEvents written;
        written.numbers = [&](std::size_t, const std::vector<WrittenNumber>& numbers) {
            for (const WrittenNumber& n : numbers) {
                got.push_back(n.value);
                gotLines.push_back(n.line);
            }
        };
        written.failure = events.failure;
        ScanWrittenInOrder(next, rules, jobs, written);
        QVERIFY(got == expected);
        QVERIFY(gotLines == expectedLines);
    }
};

QTEST_GUILESS_MAIN(OrderedScanTest)
#include "test_ordered_scan.moc"
