// Hostile input files through the extraction run. Whatever a file holds, and whatever happens to
// it while it is read, the run either takes its numbers or reports it at label 116, then goes on
// with the next row and ends with "Done.": no crash, no hang, no memory growing with the file,
// and never the numbers of another file.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "error_report.h"
#include "extraction_run.h"
#include "file_text_reader.h"
#include "phone_scanner.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/recording_run_host.h"
#include "support/run_unprivileged.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

// The row after every hostile one: it must still be read, and read as itself.
constexpr std::string_view kSentinelText = "end 111-2222";
constexpr std::string_view kSentinelNumber = "1112222";

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// ASCII text as UTF-16 or UTF-32 units of the given width and byte order.
std::string Wide(std::string_view ascii, int width, bool big) {
    std::string out;
    for (char c : ascii) {
        for (int i = 0; i < width; ++i)
            out.push_back((big ? i == width - 1 : i == 0) ? c : '\0');
    }
    return out;
}

// The numbers the run keeps from a file read the reference way: whole, into lines.
Strings ByLines(const std::string& path, const ExtractionOptions& options) {
    Strings out;
    for (const std::u16string& line : ReadFileLines(path)) {
        for (std::string& n : ExtractPhone(line, options.scanRules())) {
            if (options.scanRules().acceptsDigitCount(n.size())) out.push_back(std::move(n));
        }
    }
    return out;
}

long PeakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// What one run did, as text, so that a run made by another user can report it back.
struct RunOutcome {
    Strings results;
    Strings reports;
    Strings notices;

    std::string serialise() const {
        std::string out;
        for (const Strings* part : {&results, &reports, &notices}) {
            for (const std::string& s : *part)
                out += s + '\x1f';
            out += '\x1e';
        }
        return out;
    }
    static RunOutcome Parse(std::string_view text) {
        RunOutcome o;
        Strings* parts[] = {&o.results, &o.reports, &o.notices};
        std::size_t part = 0;
        std::string item;
        for (char c : text) {
            if (c == '\x1f') {
                parts[part]->push_back(item);
                item.clear();
            } else if (c == '\x1e') {
                ++part;
            } else {
                item += c;
            }
        }
        return o;
    }
};

// Runs the extraction over `rows` with lengths 7 and 10 ticked, yielding at every chance.
RunOutcome Run(const Strings& rows, const std::function<void(int)>& onYield = {}) {
    FakeEventLoop loop;
    loop.onYield = onYield;
    RecordingRunHost host(loop);
    host.rows = rows;
    host.tick({7, 10});
    FakeErrorBox errors;
    ExtractionRun run(host, errors, Pacing{std::chrono::microseconds(0), {}});
    run.start();
    if (run.IsExtracting()) host.notices.push_back("still extracting");
    return {host.results, errors.reports, host.notices};
}

// A file of `size` bytes that takes no room on the disk but where `head` and `tail` stand.
void WriteSparse(const std::string& path, off_t size, std::string_view head,
                 std::string_view tail) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::ftruncate(fd, size), 0);
    QCOMPARE(::pwrite(fd, head.data(), head.size(), 0), ssize_t(head.size()));
    QCOMPARE(::pwrite(fd, tail.data(), tail.size(), size - off_t(tail.size())),
             ssize_t(tail.size()));
    ::close(fd);
}

// `head`, then `size` bytes of `fill`, then `tail`, written a megabyte at a time.
void WriteLongLine(const std::string& path, std::string_view head, std::size_t size, char fill,
                   std::string_view tail) {
    std::ofstream out(path, std::ios::binary);
    out.write(head.data(), std::streamsize(head.size()));
    const std::string block(1 << 20, fill);
    for (std::size_t done = 0; done < size; done += block.size())
        out.write(block.data(), std::streamsize(std::min(block.size(), size - done)));
    out.write(tail.data(), std::streamsize(tail.size()));
}

}  // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT

  private slots:
    // Broken text in every encoding class: the numbers around the broken units come out whole,
    // never joined across them, and the same as reading the file into lines.
    void brokenText_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Strings>("expected");
        auto row = [](const char* name, std::string bytes, Strings expected) {
            QTest::newRow(name) << bytes << expected;
        };
        row("NUL bytes in 8-bit text",
            std::string("\0\0"
                        "555-1234\0\x01\x02 877-798-4141\0",
                        27),
            {"5551234", "8777984141"});
        row("NUL bytes inside a number",
            std::string("555\0"
                        "1234",
                        8),
            {});
        row("UTF-16 LE of odd length: the half unit joins nothing",
            "\xFF\xFE" + Wide("555-1234", 2, false) + "7", {"5551234"});
        row("UTF-16 BE of odd length", "\xFE\xFF" + Wide("555-1234", 2, true) + "7", {"5551234"});
        row("UTF-16 mark and one byte",
            "\xFF\xFE"
            "5",
            {});
        row("lone high surrogate between numbers",
            "\xFF\xFE" + Wide("555-1234", 2, false) + Bytes({0x00, 0xD8}) +
                Wide("877-798-4141", 2, false),
            {"5551234", "8777984141"});
        row("lone low surrogate between numbers",
            "\xFE\xFF" + Wide("555-1234", 2, true) + Bytes({0xDC, 0x00}) +
                Wide("877-798-4141", 2, true),
            {"5551234", "8777984141"});
        row("surrogates and code points beyond U+10FFFF in UTF-32",
            std::string("\xFF\xFE\0\0", 4) + Wide("555-1234", 4, false) +
                Bytes({0x00, 0xD8, 0x00, 0x00}) + Wide("555-2345", 4, false) +
                Bytes({0x00, 0x00, 0x11, 0x00}) + Wide("555-3456", 4, false) + "\x01\x02",
            {"5551234", "5552345", "5553456"});
        row("UTF-32 BE digits hidden in high bytes",
            std::string("\0\0\xFE\xFF", 4) + Bytes({0x35, 0x35, 0x35, 0x35, '5', '5', '5', '5'}),
            {});
        row("invalid UTF-8 after the mark",
            "\xEF\xBB\xBF"
            "555-1234\xC0\xAF"
            "877-798-4141\xED\xA0\x80"
            "555-9876\xF4\x90\x80\x80"
            "555-4321\xE2\x82",
            {"5551234", "8777984141", "5559876", "5554321"});
        row("a broken sequence swallows no digit",
            "\xEF\xBB\xBF\xE2"
            "5551234\xF0\x9F"
            "8777984141",
            {"5551234", "8777984141"});
        row("invalid UTF-8 without a mark",
            "\xE2\x82"
            "555-1234\xFF\xFE"
            "877-798-4141",
            {"5551234", "8777984141"});
        row("UTF-8 mark only", "\xEF\xBB\xBF", {});
        row("UTF-32 mark only", std::string("\0\0\xFE\xFF", 4), {});
    }

    void brokenText() {
        QFETCH(std::string, bytes);
        QFETCH(Strings, expected);
        TempTree tree;
        tree.file("hostile", bytes);
        tree.file("sentinel", kSentinelText);
        ExtractionOptions options;
        options.lengthBoxes[2] = options.lengthBoxes[5] = kTicked;
        QCOMPARE(ByLines(tree.path("hostile"), options), expected);

        const RunOutcome outcome = Run({tree.path("hostile"), tree.path("sentinel")});
        expected.emplace_back(kSentinelNumber);
        QCOMPARE(outcome.results, expected);
        QCOMPARE(outcome.reports, Strings{});
        QCOMPARE(outcome.notices, Strings{"Done."});
    }

    // Random bytes behind every mark (and none): the run gives what reading into lines gives.
    void randomBytes_data() {
        QTest::addColumn<std::string>("mark");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("big");
        QTest::newRow("none (8-bit)") << std::string() << 1 << false;
        QTest::newRow("UTF-8") << std::string("\xEF\xBB\xBF") << 1 << false;
        QTest::newRow("UTF-16 LE") << std::string("\xFF\xFE") << 2 << false;
        QTest::newRow("UTF-16 BE") << std::string("\xFE\xFF") << 2 << true;
        QTest::newRow("UTF-32 LE") << std::string("\xFF\xFE\0\0", 4) << 4 << false;
        QTest::newRow("UTF-32 BE") << std::string("\0\0\xFE\xFF", 4) << 4 << true;
    }

    void randomBytes() {
        QFETCH(std::string, mark);
        QFETCH(int, width);
        QFETCH(bool, big);
        std::mt19937 rng(static_cast<unsigned>(width * 2 + big));
        TempTree tree;
        ExtractionOptions options;
        options.lengthBoxes.fill(kTicked);
        std::size_t found = 0;
        for (int round = 0; round < 8; ++round) {
            // Number characters and blanks between units of random bytes, so that numbers do
            // form and are broken up; a random tail may leave the last unit incomplete.
            std::string bytes = mark;
            const std::size_t units = 1 + rng() % 20000;
            for (std::size_t i = 0; i < units; ++i) {
                if (rng() % 4 == 0) {
                    for (int b = 0; b < width; ++b)
                        bytes.push_back(char(rng()));
                } else {
                    bytes += Wide(std::string(1, "0123456789-.( )\n"[rng() % 16]), width, big);
                }
            }
            bytes.append(rng() % std::size_t(width), char(rng()));
            const std::string path = tree.path(std::to_string(round));
            tree.file(std::to_string(round), bytes);
            const Strings expected = ByLines(path, options);
            found += expected.size();

            FakeEventLoop loop;
            RecordingRunHost host(loop);
            host.rows = {path};
            host.opts = options;
            FakeErrorBox errors;
            ExtractionRun(host, errors, Pacing{std::chrono::microseconds(0), {}}).start();
            QCOMPARE(host.results, expected);
            QCOMPARE(errors.reports, Strings{});
        }
        QVERIFY(found > 100);
    }

    // Paths that are no readable file: reported at 116 with the path and the reason, at once
    // (a FIFO without a writer or a device would otherwise hang or never end); the next row is
    // still read. Unreadable files are tried as an unprivileged user.
    void unreadable_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing path") << "missing"
                                      << "No such file or directory";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        QTest::newRow("FIFO") << "fifo"
                              << "it is a named pipe (FIFO), not a file";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "it is a device, not a file";
        QTest::newRow("random device") << "/dev/urandom"
                                       << "it is a device, not a file";
        QTest::newRow("file without read permission") << "no-read"
                                                      << "Permission denied";
        QTest::newRow("folder on the path closed") << "closed-folder"
                                                   << "Permission denied";
        QTest::newRow("a file where a folder should be") << "file-as-folder"
                                                         << "Not a directory";
    }

    void unreadable() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TempTree tree;
        tree.file("sentinel", kSentinelText);
        std::string path = tree.path("x");
        bool unprivileged = false;
        if (kind == "folder") {
            tree.folder("x");
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.c_str(), 0666), 0);
        } else if (kind.startsWith("/dev/")) {
            path = kind.toStdString();
        } else if (kind == "no-read") {
            tree.file("x", "555-1234");
            tree.mode("x", 0);
            unprivileged = true;
        } else if (kind == "closed-folder") {
            tree.file("closed/x", "555-1234");
            tree.mode("closed", 0);
            path = tree.path("closed/x");
            unprivileged = true;
        } else if (kind == "file-as-folder") {
            tree.file("x", "555-1234");
            path = tree.path("x/y");
        }
        const Strings rows{path, tree.path("sentinel")};
        RunOutcome outcome;
        if (unprivileged) {
            const std::optional<std::string> text =
                RunUnprivileged([&] { return Run(rows).serialise(); });
            QVERIFY(text);
            outcome = RunOutcome::Parse(*text);
        } else {
            outcome = Run(rows);
        }
        QCOMPARE(outcome.results, Strings{std::string(kSentinelNumber)});
        QCOMPARE(outcome.reports,
                 Strings{ErrorReportText("Cannot read \"" + path + "\": " + reason.toStdString(),
                                         ExtractionRun::kProcedure, 116)});
        QCOMPARE(outcome.notices, Strings{"Done."});
    }

    // A file changed under the run while it yields: the run reads what the file holds, ends the
    // file cleanly and goes on with the next row. A big file is read through a mapping, whose
    // lost bytes the run cannot read: it reports the file at label 116 with the reason.
    void changedWhileRead_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated") << "truncate"
                                   << "it became shorter while it was read";
        QTest::newRow("deleted") << "delete"
                                 << "";
        QTest::newRow("replaced by another file") << "replace"
                                                  << "";
        QTest::newRow("grown") << "grow"
                               << "";
    }

    void changedWhileRead() {
        QFETCH(QString, change);
        QFETCH(QString, reason);
        TempTree tree;
        constexpr std::size_t kNumbers = 100000;  // four pieces of the run's reads
        std::string text;
        for (std::size_t i = 0; i < kNumbers; ++i)
            text += "555-1234\n";
        tree.file("big", text);
        tree.file("other", "999-8888");
        tree.file("sentinel", kSentinelText);
        const std::string path = tree.path("big");
        bool changed = false;
        const RunOutcome outcome = Run({path, tree.path("sentinel")}, [&](int pass) {
            if (changed || pass < 3) return;  // the first piece is being handed out
            changed = true;
            if (change == "truncate") QCOMPARE(::truncate(path.c_str(), 0), 0);
            if (change == "delete") QCOMPARE(::unlink(path.c_str()), 0);
            if (change == "replace") {
                QCOMPARE(std::rename(tree.path("other").c_str(), path.c_str()), 0);
            }
            if (change == "grow") std::ofstream(path, std::ios::app) << "877-798-4141\n";
        });
        QVERIFY(changed);
        QCOMPARE(outcome.reports, reason.isEmpty()
                                      ? Strings{}
                                      : Strings{ErrorReportText(
                                            "Cannot read \"" + path + "\": " + reason.toStdString(),
                                            ExtractionRun::kProcedure, 116)});
        QCOMPARE(outcome.notices, Strings{"Done."});
        QCOMPARE(outcome.results.back(), std::string(kSentinelNumber));
        const Strings numbers(outcome.results.begin(), outcome.results.end() - 1);
        if (!reason.isEmpty()) {
            QCOMPARE(numbers, Strings{});  // a file that failed part-way gives no results
        } else if (change == "grow") {
            QCOMPARE(numbers.size(), kNumbers + 1);
            QCOMPARE(numbers.back(), std::string("8777984141"));
        } else {
            QCOMPARE(numbers, Strings(kNumbers, "5551234"));  // all it held at the start
        }
    }

    // Names that are no valid UTF-8, or hold line breaks and control characters: the file
    // named is the file read, never one whose name merely looks alike.
    void oddNames_data() {
        QTest::addColumn<std::string>("name");
        QTest::addColumn<std::string>("lookalike");
        QTest::newRow("bytes that are no UTF-8")
            << std::string("n\xFF\xFE.txt") << std::string("n\xEF\xBF\xBD\xEF\xBF\xBD.txt");
        QTest::newRow("a lone continuation byte")
            << std::string("n\x80.txt") << std::string("n\xEF\xBF\xBD.txt");
        QTest::newRow("Latin-1 accent")
            << std::string("caf\xE9.txt") << std::string("caf\xC3\xA9.txt");
        QTest::newRow("line breaks and control characters")
            << std::string("a\nb\r\x01\x1b[31m.txt") << std::string("a b  [31m.txt");
    }

    void oddNames() {
        QFETCH(std::string, name);
        QFETCH(std::string, lookalike);
        TempTree tree;
        tree.file(name, "555-1234");
        tree.file(lookalike, "999-8888");
        tree.file("sentinel", kSentinelText);
        const RunOutcome outcome = Run({tree.path(name), tree.path("sentinel")});
        QCOMPARE(outcome.results, (Strings{"5551234", std::string(kSentinelNumber)}));
        QCOMPARE(outcome.reports, Strings{});
        // The temporary folder cannot remove names it cannot spell.
        std::filesystem::remove(tree.path(name));
        std::filesystem::remove(tree.path(lookalike));
    }

    // Huge files are streamed: the numbers at both ends come out and memory stays flat.
    void hugeFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("2 GB sparse file") << "sparse";
        QTest::newRow("one line of 1 GB of number characters") << "line";
    }

    void hugeFiles() {
        QFETCH(QString, kind);
        TempTree tree;
        tree.file("sentinel", kSentinelText);
        const std::string path = tree.path("huge");
        if (kind == "sparse") {
            WriteSparse(path, off_t(2) << 30, "555-1234 ", " 877-798-4141");
        } else {
            WriteLongLine(path, "555-1234x", std::size_t(1) << 30, '9', "x877-798-4141");
        }
        const long before = PeakMemoryKb();
        const auto start = std::chrono::steady_clock::now();
        const RunOutcome outcome = Run({path, tree.path("sentinel")});
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        qInfo("%s: %.1f s, peak memory grew by %ld KB", qPrintable(kind), seconds.count(),
              PeakMemoryKb() - before);
        QCOMPARE(outcome.results, (Strings{"5551234", "8777984141", std::string(kSentinelNumber)}));
        QCOMPARE(outcome.reports, Strings{});
        QVERIFY2(PeakMemoryKb() - before < 64 * 1024, "memory grew with the file");
    }
};

QTEST_APPLESS_MAIN(HostileFilesTest)
#include "test_hostile_files.moc"
