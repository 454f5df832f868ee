// Heavy load: ten million results through the run, the clipboard copy, both writers and
// duplicate removal, and a run over 100,000 input rows. Each must finish with the right
// output and hold memory in proportion to the results. How long the window waits for its event
// loop meanwhile is printed ("longest wait"), and judged by bench/run_responsiveness_bench.sh.

#include <malloc.h>

#include <QtTest>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "clipboard_copy.h"
#include "duplicate_removal.h"
#include "extraction_run.h"
#include "result_list.h"
#include "result_list_table.h"
#include "save_comma.h"
#include "save_list.h"
#include "support/fake_clipboard.h"
#include "support/fake_error_box.h"
#include "support/fake_file_writer.h"
#include "support/fake_message_boxes.h"
#include "support/recording_run_host.h"
#include "support/temp_files.h"
#include "support/timed_event_loop.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own allocator keeps the count; malloc's statistics stay empty under it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace tessaly;
using namespace tessaly::testing;
using std::chrono::milliseconds;

namespace {

constexpr std::size_t kResults = 10'000'000;
// Every number stands twice in the list, so duplicate removal halves it.
constexpr std::size_t kDistinct = kResults / 2;

// The n-th number of the input: seven digits, each value twice, far apart.
std::string NumberAt(std::size_t n) {
    return std::to_string(1'000'000 + n % kDistinct);
}

// Bytes the program holds on its heap now.
std::size_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

long long Ms(milliseconds d) {
    return static_cast<long long>(d.count());
}

}  // namespace

class HeavyLoadTest : public QObject {
    Q_OBJECT

  private slots:
    // One run finds ten million numbers; the list then goes through every command that walks
    // it. The commands share one list, in the order a user would use them.
    void tenMillionResults() {
        TempFiles temp;
        {
            std::ofstream out(temp.path("numbers.txt"), std::ios::binary);
            std::string chunk;
            for (std::size_t n = 0; n < kResults; ++n) {
                chunk += NumberAt(n);
                chunk += n % 10 == 9 ? "\r\n" : " x ";
                if (chunk.size() > (1 << 20)) out << chunk, chunk.clear();
            }
            out << chunk;
        }

        TimedEventLoop loop;
        const std::size_t heapBefore = HeapBytes();
        ResultList results;
        {
            RecordingRunHost host(loop);
            host.rows = {temp.path("numbers.txt")};
            host.tick({7});
            host.sink = [&](const FoundNumbers& found) { results.append(found); };
            FakeErrorBox errors;
            ExtractionRun run(host, errors);
            loop.start();
            run.start();
            loop.stop();
            QCOMPARE(host.notices, std::vector<std::string>{"Done."});
            QVERIFY(errors.reports.empty());
        }
        const double bytesPerRow = double(HeapBytes() - heapBefore) / double(kResults);
        qInfo("run: %zu results, %.1f bytes per result row, longest wait %lld ms", results.count(),
              bytesPerRow, Ms(loop.longestGap()));
        QCOMPARE(results.count(), kResults);
        QCOMPARE(results.at(1).view(), NumberAt(0));
        QCOMPARE(results.at(kResults).view(), NumberAt(kResults - 1));
        // Each row holds its number and its source (file and line).
        QVERIFY2(bytesPerRow < 64, "memory out of proportion to the results");

        const ResultListTable table(results);
        const auto walkYield = [&] { return WalkYield{&loop, Pacing{}, {}}; };
        {
            FakeClipboard clipboard;
            loop.start();
            QVERIFY(CopyListToClipboard(table, clipboard, walkYield()) == CopyOutcome::kCopied);
            loop.stop();
            qInfo("copy: longest wait %lld ms", Ms(loop.longestGap()));
            QVERIFY(clipboard.text);
            QCOMPARE(clipboard.text->size(), kResults * 8);  // seven digits and LF
            QVERIFY(clipboard.text->starts_with(NumberAt(0) + "\n" + NumberAt(1) + "\n"));
        }
        {
            FakeFileWriter disk;
            loop.start();
            QVERIFY(WriteListAsText(table, "table.txt", disk, walkYield()));
            loop.stop();
            qInfo("text table: longest wait %lld ms", Ms(loop.longestGap()));
            const std::string& file = disk.files.at("table.txt");
            QCOMPARE(file.size(), 10 + kResults * 10);
            QVERIFY(file.starts_with("Results\t\r\n" + NumberAt(0) + "\t\r\n"));
        }
        {
            FakeFileWriter disk;
            FakeMessageBoxes boxes;
            loop.start();
            QVERIFY(WriteListCommaDelimited(table, "comma.txt", disk, boxes, walkYield()));
            loop.stop();
            qInfo("comma delimited: longest wait %lld ms", Ms(loop.longestGap()));
            const std::string& file = disk.files.at("comma.txt");
            QCOMPARE(file.size(), kResults * 10 - 1);
            QVERIFY(file.ends_with("," + std::string("\r\n") + NumberAt(kResults - 1) + "\r\n"));
        }
        {
            const std::size_t heapBeforeRemoval = HeapBytes();
            loop.start();
            QVERIFY(RemoveDuplicateRows(results, walkYield()));
            loop.stop();
            qInfo("duplicate removal: longest wait %lld ms, %.1f bytes per row left over",
                  Ms(loop.longestGap()),
                  (double(HeapBytes()) - double(heapBeforeRemoval)) / double(kResults));
            QCOMPARE(results.count(), kDistinct);
            QCOMPARE(results.at(1).view(), NumberAt(0));
            QCOMPARE(results.at(kDistinct).view(), NumberAt(kDistinct - 1));
        }
    }

    // 100,000 input rows: each is read, in order, with the window served throughout.
    void hundredThousandInputRows() {
        TempFiles temp;
        constexpr std::size_t kRows = 100'000;
        const std::string a = temp.write("a.txt", "555-1234");
        const std::string b = temp.write("b.txt", "877-798-4141");
        TimedEventLoop loop;
        RecordingRunHost host(loop);
        for (std::size_t i = 0; i < kRows; ++i)
            host.rows.push_back(i % 2 ? b : a);
        host.tick({7, 10});
        FakeErrorBox errors;
        ExtractionRun run(host, errors);
        loop.start();
        run.start();
        loop.stop();
        qInfo("100,000 rows: longest wait %lld ms", Ms(loop.longestGap()));
        QCOMPARE(host.results.size(), kRows);
        QCOMPARE(host.results[kRows - 2], std::string("5551234"));
        QCOMPARE(host.results[kRows - 1], std::string("8777984141"));
        QCOMPARE(host.notices, std::vector<std::string>{"Done."});
        QVERIFY(errors.reports.empty());
    }
};

QTEST_APPLESS_MAIN(HeavyLoadTest)
#include "test_heavy_load.moc"
