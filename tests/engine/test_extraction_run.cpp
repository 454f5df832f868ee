// The extraction run against a scripted window: order of results, notices, the guard against a
// second start, live options, failures reported with their labels, and the run always ending.

#include <unistd.h>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <functional>

#include "document_text.h"
#include "error_report.h"
#include "extraction_run.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/recording_run_host.h"
#include "support/table_types.h"
#include "support/temp_files.h"

using namespace tessaly;
using tessaly::testing::FakeErrorBox;
using tessaly::testing::TempFiles;

using Strings = std::vector<std::string>;

namespace {

// The run's window: a recording host whose passes of the event loop run a test's script.
struct ScriptedHost : tessaly::testing::FakeEventLoop, tessaly::testing::RecordingRunHost {
    ScriptedHost() : RecordingRunHost(static_cast<FakeEventLoop&>(*this)) {}
};

ExtractionOptions Lengths(std::initializer_list<int> digits) {
    ExtractionOptions o;
    for (int d : digits)
        o.lengthBoxes[d - 5] = kTicked;
    return o;
}

// Files named *.bin are not text; *.doc files hold the text after their first line, given in
// pieces of three bytes; every other file is text.
class NamedDocuments : public DocumentReader {
  public:
    std::unique_ptr<DocumentText> open(const std::string& path,
                                       std::string_view head) const override {
        if (path.ends_with(".bin")) throw FileSkipped(SkippedNotice(path));
        if (!path.ends_with(".doc")) return nullptr;
        struct Pieces : DocumentText {
            std::string text;
            bool read(std::string& out) override {
                out += text.substr(0, 3);
                text.erase(0, 3);
                return !text.empty();
            }
        };
        auto text = std::make_unique<Pieces>();
        text->text = std::string(head.substr(head.find('\n') + 1));
        return text;
    }
};

// Yields at every opportunity, as the run would if each pass took no time at all.
Pacing EveryStep() {
    return Pacing{std::chrono::microseconds(0), {}};
}

// Never yields in a run this short: each piece's numbers are taken at once.
Pacing NoPasses() {
    return Pacing{std::chrono::hours(1), {}};
}

// `count` distinct numbers of every length from 5 to 20 in turn, each with its own separator, in
// the text, and those the run finds with the lengths `taken`, each with its line.
struct EveryLength {
    EveryLength(int count, std::initializer_list<std::size_t> taken) {
        for (int k = 0; k < count; ++k) {
            const std::size_t length = 5 + std::size_t(k) % 16;
            std::string digits = std::to_string(k);
            digits.append(length - digits.size(), char('0' + k % 10));
            if (std::find(taken.begin(), taken.end(), length) != taken.end()) {
                found.push_back(digits);
                lines.push_back(line);
            }
            text += digits + (k % 3 == 0 ? "\n" : " x ");
            line += k % 3 == 0 ? 1 : 0;
        }
    }
    std::string text;
    Strings found;
    std::vector<std::size_t> lines;
    std::size_t line = 1;
};

}  // namespace

class ExtractionRunTest : public QObject {
    Q_OBJECT

  private slots:
    void results_data() {
        QTest::addColumn<Strings>("texts");
        QTest::addColumn<Strings>("lengths");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<bool>("passInFiles");
        auto row = [](const char* name, Strings texts, Strings lengths, Strings expected,
                      bool passInFiles = true) {
            QTest::newRow(name) << texts << lengths << expected << passInFiles;
        };
        row("one number, length 10", {"877-798-4141"}, {"10"}, {"8777984141"});
        row("lengths 7 and 11 find nothing", {"877-798-4141"}, {"7", "11"}, {});
        row("twice in one file", {"877-798-4141 x 877-798-4141"}, {"10"},
            {"8777984141", "8777984141"});
        row("file order then line order", {"a 555-1234\r\nb 877-798-4141", "c 555-9876"},
            {"7", "10"}, {"5551234", "8777984141", "5559876"});
        row("no length ticked", {"877-798-4141"}, {}, {});
        row("under five and over twenty", {"1234;123456789012345678901;12345"}, {"5", "20"},
            {"12345"});
        row("twenty digits", {"1234-5678-9012-3456-7890"}, {"20"}, {"12345678901234567890"});
        // Taken a piece at a time, the numbers' digits run across many blocks of the walk and
        // to the end of the room they were written in; the file is read in two pieces.
        const Strings every = {"5",  "6",  "7",  "8",  "9",  "10", "11", "12",
                               "13", "14", "15", "16", "17", "18", "19", "20"};
        const EveryLength all(6000, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
        row("every length, whole pieces", {all.text}, every, all.found, false);
        row("some lengths, whole pieces", {all.text}, {"5", "12", "20"},
            EveryLength(6000, {5, 12, 20}).found, false);
        const EveryLength few(40, {6, 19});
        row("some lengths, a pass before each number", {few.text}, {"6", "19"}, few.found);
    }

    void results() {
        QFETCH(Strings, texts);
        QFETCH(Strings, lengths);
        QFETCH(Strings, expected);
        QFETCH(bool, passInFiles);
        TempFiles files;
        ScriptedHost host;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            host.rows.push_back(files.write(std::to_string(i) + ".txt", texts[i]));
        }
        for (const std::string& l : lengths)
            host.opts.lengthBoxes[std::stoi(l) - 5] = kTicked;
        FakeErrorBox errors;
        ExtractionRun run(host, errors, passInFiles ? EveryStep() : NoPasses());
        run.start();
        QCOMPARE(host.results, expected);
        QCOMPARE(host.notices, Strings{"Done."});
        QCOMPARE(host.pointer, 0);
        QVERIFY(errors.reports.empty());
        QVERIFY(!run.IsExtracting());
        // A second run appends the same numbers again.
        run.start();
        Strings twice = expected;
        twice.insert(twice.end(), expected.begin(), expected.end());
        QCOMPARE(host.results, twice);
    }

    void emptyList() {
        ScriptedHost host;
        host.pointer = 99;
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QCOMPARE(host.notices, Strings{"No files added."});
        QCOMPARE(host.pointer, 99);  // the pointer is not touched on this path
        QCOMPARE(host.passes, 0);
        QVERIFY(!run.IsExtracting());
    }

    // Only value 1 counts as ticked for lengths; any non-zero value switches the required text on.
    void greyedBoxes() {
        TempFiles files;
        ScriptedHost host;
        host.rows = {files.write("a", "877-798-4141;877.798.4142")};
        host.opts.lengthBoxes[5] = kGreyed;
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QCOMPARE(host.results, Strings{});
        host.opts.lengthBoxes[5] = kTicked;
        host.opts.requireBox = kGreyed;
        host.opts.requiredText = u"-";
        run.start();
        QCOMPARE(host.results, Strings{"8777984141"});
    }

    // A file that cannot be read is reported at 116; the others are still scanned.
    void unreadableFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
    }

    void unreadableFile() {
        QFETCH(QString, kind);
        TempFiles files;
        ScriptedHost host;
        const std::string bad = kind == "folder" ? files.folder() : files.path("gone.txt");
        host.rows = {files.write("a", "555-1234"), bad, files.write("b", "555-9876")};
        host.opts = Lengths({7});
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QCOMPARE(host.results, (Strings{"5551234", "5559876"}));
        QCOMPARE(host.notices, Strings{"Done."});
        QCOMPARE(errors.reports.size(), std::size_t(1));
        const std::string reason =
            kind == "folder" ? "it is a folder, not a file" : "No such file or directory";
        QCOMPARE(errors.reports[0], ErrorReportText("Cannot read \"" + bad + "\": " + reason,
                                                    ExtractionRun::kProcedure, 116));
    }

    // Documents give the numbers of their text; files that are not text are skipped without an
    // error report and named in one notice before the run's own.
    void documentsAndSkippedFiles_data() {
        QTest::addColumn<Strings>("names");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<QString>("skipped");  // the notice naming them, "" for none
        QTest::newRow("a document") << Strings{"a.doc"} << Strings{"5559876"} << "";
        QTest::newRow("text, one skipped, a document")
            << Strings{"a.txt", "b.bin", "c.doc"} << Strings{"5551234", "5559876", "5559876"}
            << "This file is not a text file or a document Tessaly reads; it was skipped:\n\n"
               "b.bin";
        QTest::newRow("two skipped")
            << Strings{"a.bin", "b.txt", "c.bin"} << Strings{"5551234", "5559876"}
            << "These files are not text files or documents Tessaly reads; they were "
               "skipped:\n\na.bin\nc.bin";
    }

    void documentsAndSkippedFiles() {
        QFETCH(Strings, names);
        QFETCH(Strings, expected);
        QFETCH(QString, skipped);
        TempFiles files;
        ScriptedHost host;
        NamedDocuments documents;
        host.documents = &documents;
        for (const std::string& name : names)
            host.rows.push_back(files.write(name, "555-1234\n555-9876"));
        host.opts = Lengths({7});
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QCOMPARE(host.results, expected);
        QVERIFY(errors.reports.empty());
        Strings notices{"Done."};
        std::string named = skipped.toStdString();
        for (const std::string& name : names)  // the notice names the full paths
            if (const auto at = named.find(name); at != std::string::npos)
                named.insert(at, files.folder() + "/");
        if (!skipped.isEmpty()) notices.insert(notices.begin(), named);
        QCOMPARE(host.notices, notices);
    }

    // Rows removed while the run yields: one report at 112, then the run ends normally.
    void rowsVanish() {
        TempFiles files;
        ScriptedHost host;
        const std::string a = files.write("a", "555-1234");
        host.rows = {a, a, a, a};
        host.opts = Lengths({7});
        host.onYield = [&](int) {
            if (host.results.size() == 1) host.rows.resize(1);
        };
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QCOMPARE(host.results, Strings{"5551234"});
        QCOMPARE(errors.reports.size(), std::size_t(1));
        QCOMPARE(errors.reports[0], ErrorReportText("Row 2 of the input list no longer exists",
                                                    ExtractionRun::kProcedure, 112));
        QCOMPARE(host.notices, Strings{"Done."});
    }

    // During a run: a second click is ignored, rows added are not scanned, option changes
    // apply to the numbers examined afterwards, and the pointer is busy again after each pass.
    void windowUsableDuringRun() {
        TempFiles files;
        ScriptedHost host;
        const std::string a = files.write("a", "555-1234 x 555-2345 x 877-798-4141");
        host.rows = {a, a};
        host.opts = Lengths({7});
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        int clicks = 0;
        std::vector<int> pointers;  // at each pass but the first, which comes before any file
        host.onYield = [&](int pass) {
            if (pass > 1) pointers.push_back(host.pointer);
            host.pointer = 0;  // another handler set the default pointer
            if (host.results.size() == 1 && clicks++ == 0) {
                QVERIFY(run.IsExtracting());
                run.start();             // ignored
                host.rows.push_back(a);  // not scanned by this run
                host.opts = Lengths({10});
            }
            if (host.passes > 1) QVERIFY(run.IsExtracting());
        };
        run.start();
        QCOMPARE(host.results, (Strings{"5551234", "8777984141", "8777984141"}));
        QCOMPARE(pointers, std::vector<int>(pointers.size(), 11));
        QVERIFY(pointers.size() > 4);
        QCOMPARE(host.notices, Strings{"Done."});
        QCOMPARE(host.pointer, 0);
        QVERIFY(!run.IsExtracting());
    }

    // The required text changed during a run applies from the next number on.
    void requiredTextChangesDuringRun() {
        TempFiles files;
        ScriptedHost host;
        host.rows = {files.write("a", "555-1234,555.2345,555-3456,555.4567")};
        host.opts = Lengths({7});
        host.opts.requireBox = kTicked;
        host.opts.requiredText = u"-";
        host.onYield = [&](int) {
            if (host.results.size() == 1) host.opts.requiredText = u".";
        };
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        // The file was scanned in one piece under "-"; its later numbers were examined after
        // the change only for their length, so the dotted ones never were candidates.
        QCOMPARE(host.results, (Strings{"5551234", "5553456"}));
    }

    // Closing the window while the run yields stops it where it stands: no further notice.
    void closingStopsTheRun() {
        TempFiles files;
        ScriptedHost host;
        const std::string a = files.write("a", "555-1234 x 555-2345");
        host.rows = {a, a, a};
        host.opts = Lengths({7});
        host.onYield = [&](int n) { host.closing = n == 3; };
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        QVERIFY(host.notices.empty());
        QVERIFY(host.results.size() < 6);
        QCOMPARE(host.passes, 3);
    }

    // Every number carries the file it came from, as the row named it and as it was read, and
    // its line, also when a file's numbers are handed over in several batches.
    void sourcesThroughBatches_data() {
        QTest::addColumn<bool>("passes");
        QTest::newRow("a pass before each number") << true;
        QTest::newRow("pieces taken whole") << false;
    }

    void sourcesThroughBatches() {
        QFETCH(bool, passes);
        TempFiles files;
        ScriptedHost host;
        const std::string a = files.write("a", "555-1234\r\n\r555-2345");
        const std::string b = files.write("b", "555-3456");
        // Numbers of lengths refused between those taken, over several pieces.
        const EveryLength many(6000, {7});
        const std::string c = files.write("c", many.text);
        host.rows = {a, b, c};
        host.opts = Lengths({7});
        Strings found;
        host.sink = [&](const FoundNumbers& batch) {
            for (std::size_t f = 0; f < batch.files.size(); ++f) {
                const std::size_t end =
                    f + 1 < batch.files.size() ? batch.files[f + 1].first : batch.numbers.size();
                QVERIFY(batch.files[f].file.stamp == *StampOf(batch.files[f].file.path));
                for (std::size_t i = batch.files[f].first; i < end; ++i)
                    found.push_back(batch.files[f].file.path + ":" +
                                    std::to_string(batch.lines[i]) + ":" + batch.numbers[i].str());
            }
        };
        FakeErrorBox errors;
        ExtractionRun(host, errors, passes ? EveryStep() : NoPasses()).start();
        Strings expected{a + ":1:5551234", a + ":3:5552345", b + ":1:5553456"};
        for (std::size_t i = 0; i < many.found.size(); ++i)
            expected.push_back(c + ":" + std::to_string(many.lines[i]) + ":" + many.found[i]);
        QCOMPARE(found, expected);
    }

    // Files opened and scanned on a second thread give what the run gives scanning each file
    // itself, piece by piece, whatever changes at its passes of the event loop: big files, whose
    // pieces are scanned far ahead of the numbers taken, then scanned again from where the
    // required text changed; files prepared for rows that then name others, under rules changed
    // since, or that changed since; a stop.
    void scansAheadAsInTurn_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("everyStep");
        for (const char* change :
             {"required text", "changed back", "set in a small file", "rows replaced", "stopped",
              "file read grown", "later file truncated", "big files after small ones"}) {
            QTest::addRow("%s, a pass before each number", change) << change << true;
            QTest::addRow("%s, a pass now and then", change) << change << false;
        }
    }

    void scansAheadAsInTurn() {
        QFETCH(QString, change);
        QFETCH(bool, everyStep);
        TempFiles files;
        // 560 KB each: read through the mapping, nine pieces.
        std::string big;
        for (int k = 0; big.size() < 560'000; ++k)
            big += std::to_string(5551000 + k % 9000) + (k % 3 ? "-" : ".") +
                   std::to_string(1000 + k % 9000) + (k % 7 ? " x " : "\n");
        auto run = [&](bool scansAhead) {
            const std::string a = files.write("a", big), b = files.write("b", "555-0123 555.4567");
            const std::string c = files.write("c", big.substr(100'001) + big.substr(0, 100'001));
            ScriptedHost host;
            host.rows = {a, b, c, b, a};
            // More small files than are opened ahead: those after them are opened in turn, and
            // a big one scanned ahead from its second piece on.
            if (change == "big files after small ones") {
                host.rows = Strings(40, b);
                host.rows.insert(host.rows.end(), {a, b, c});
            }
            host.opts = Lengths({11});
            Strings found;
            host.sink = [&](const FoundNumbers& batch) {
                for (std::size_t i = 0; i < batch.numbers.size(); ++i)
                    found.push_back(std::to_string(batch.lines[i]) + ":" + batch.numbers[i].str());
            };
            FakeErrorBox errors;
            std::uint64_t ticks = 0;
            ExtractionRun run(host, errors,
                              everyStep ? EveryStep()
                                        : Pacing{std::chrono::microseconds(700),
                                                 [&] {
                                                     return std::chrono::steady_clock::time_point(
                                                         std::chrono::microseconds(++ticks));
                                                 }},
                              scansAhead);
            host.onYield = [&](int pass) {
                const std::size_t at = found.size();
                if (change == "stopped" && at > 30'000) run.stop();
                if (change == "rows replaced" && pass % 50 == 0)
                    std::swap(host.rows[2], host.rows[4]);
                if (change == "required text" || change == "changed back" ||
                    change == "big files after small ones") {
                    host.opts.requireBox = (at / 7'000) % 2 ? kTicked : kUnticked;
                    host.opts.requiredText = (at / 14'000) % 2 ? u"." : u"-";
                }
                if (change == "changed back" && pass % 2) host.opts.requireBox = kUnticked;
                // Later files were opened under the rules before.
                if (change == "set in a small file" && host.progress == "2 of 5") {
                    host.opts.requireBox = kTicked;
                    host.opts.requiredText = u".";
                }
                // Read after the pass, a file gives what it holds then.
                if (change == "file read grown" && pass == 20) {
                    std::ofstream(a, std::ios::app) << "555-1111-2222\n";
                }
                if (change == "later file truncated" && pass == 20)
                    QVERIFY(::truncate(c.c_str(), 9) == 0);
            };
            run.start();
            found.insert(found.end(), host.notices.begin(), host.notices.end());
            return found;
        };
        const Strings inTurn = run(false);
        QVERIFY(inTurn.size() > 20'000);
        QCOMPARE(run(true), inTurn);
    }

    // Stopped at a pass of the event loop: what was found stays, the pointer and progress end,
    // "Stopped." instead of "Done."; the next run is not stopped.
    void stop() {
        TempFiles files;
        ScriptedHost host;
        const std::string a = files.write("a", "555-1234 x 555-2345");
        host.rows = {a, a, a};
        host.opts = Lengths({7});
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        host.onYield = [&](int n) {
            if (n == 3) run.stop();
        };
        run.start();
        QCOMPARE(host.notices, Strings{"Stopped."});
        QCOMPARE(host.results, Strings{"5551234"});
        QCOMPARE(host.progress, std::string());
        QCOMPARE(host.pointer, 0);
        QVERIFY(!run.IsExtracting());
        host.onYield = {};
        run.stop();  // no run going on: nothing to stop
        run.start();
        QCOMPARE(host.notices, (Strings{"Stopped.", "Done."}));
        QCOMPARE(host.results.size(), std::size_t(7));
    }

    // Results found before a pass of the event loop are in the list when it runs, so the list
    // visibly grows during a run.
    void resultsAppearBeforeEachPass() {
        TempFiles files;
        ScriptedHost host;
        host.rows = {files.write("a", "555-1234 x 555-2345"), files.write("b", "555-3456")};
        host.opts = Lengths({7});
        Strings seenAtPass;
        host.onYield = [&](int) { seenAtPass.push_back(std::to_string(host.results.size())); };
        FakeErrorBox errors;
        ExtractionRun run(host, errors, EveryStep());
        run.start();
        // Passes: before file a; before 555-1234; before 555-2345 (a small file's one read
        // also meets its end, which closes the number); before file b; before 555-3456.
        QCOMPARE(seenAtPass, (Strings{"0", "0", "1", "2", "2"}));
    }
};

QTEST_APPLESS_MAIN(ExtractionRunTest)
#include "test_extraction_run.moc"
