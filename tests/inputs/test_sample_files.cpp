// The sample files: the scrambled record and its round trip, the record of the folder at the
// first start, and the button that loads the recorded files.

#include <QtTest>

#include <filesystem>
#include <string>
#include <vector>

#include "error_report.h"
#include "posix_file_system.h"
#include "record_scrambler.h"
#include "sample_files.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_message_boxes.h"
#include "support/fake_settings_store.h"
#include "support/fake_shell_launcher.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

// A program folder "prog" in a tree, with the program's services around its samples.
struct Program {
    explicit Program(const std::string& folder)
        : samples(folder, SampleServices{settings, files, boxes, shell, loop, errors,
                                         Pacing{std::chrono::microseconds(0), {}}}) {}

    Strings rows() const { return Strings(list.rows().begin(), list.rows().end()); }
    std::string record() {
        return UnscrambleText(*StoredTextToCodes(settings.values.at("Snapshot")), kRecordKey);
    }

    FakeSettingsStore settings;
    PosixFileSystem files;
    FakeMessageBoxes boxes;
    FakeShellLauncher shell;
    FakeEventLoop loop;
    FakeErrorBox errors;
    InputList list;
    SampleFiles samples;
};

const char* const kQuestion =
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?";

}  // namespace

class SampleFilesTest : public QObject {
    Q_OBJECT

  private slots:
    // Sums of 256 and 255 with the key letter wrap to 1 and stay at 255.
    void scrambledCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<char>("key");
        QTest::addColumn<int>("scrambled");
        QTest::newRow("sum 256 gives 1") << 159 << 'a' << 1;
        QTest::newRow("sum 255 stays 255") << 158 << 'a' << 255;
        QTest::newRow("code 1") << 1 << 'a' << 98;
        QTest::newRow("code 255 with z") << 255 << 'z' << 122;
    }
    void scrambledCodes() {
        QFETCH(int, code);
        QFETCH(char, key);
        QFETCH(int, scrambled);
        const std::string one(1, char(code));
        const std::string out = ScrambleText(one, std::string(1, key));
        QCOMPARE(int(static_cast<unsigned char>(out.at(0))), scrambled);
        QCOMPARE(UnscrambleText(out, std::string(1, key)), one);
    }

    // Every code from 1 to 255, against every letter of the key, and text with any characters.
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("text");
        QByteArray all;
        for (int pass = 0; pass < 8; ++pass) {
            for (int c = 1; c <= 255; ++c)
                all += char(c);
        }
        QTest::newRow("codes 1 to 255 at every key position") << all;
        QTest::newRow("utf-8 path")
            << QByteArray("/opt/t\xc3\xa9l\xc3\xa9/Samples/\xe2\x98\x8e.txt|/b");
        QTest::newRow("empty") << QByteArray();
    }
    void roundTrip() {
        QFETCH(QByteArray, text);
        const std::string plain = text.toStdString();
        const std::string scrambled = ScrambleText(plain, kRecordKey);
        QCOMPARE(scrambled.size(), plain.size());
        QVERIFY(scrambled.find('\0') == std::string::npos);
        QCOMPARE(UnscrambleText(scrambled, kRecordKey), plain);
        const std::string stored = CodesToStoredText(scrambled);
        QCOMPARE(StoredTextToCodes(stored), std::optional<std::string>(scrambled));
    }

    // A stored text that no record could have become names no file.
    void foreignStoredText_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("character above 255") << QByteArray("ab\xc4\x80");
        QTest::newRow("no utf-8") << QByteArray("ab\xe9");
    }
    void foreignStoredText() {
        QFETCH(QByteArray, stored);
        QCOMPARE(StoredTextToCodes(stored.toStdString()), std::optional<std::string>());
    }

    // The record lists the files of the sample folder, in listing order, joined by "|".
    void record_data() {
        QTest::addColumn<Strings>("samples");  // "-": no sample folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("files in order, no folders")
            << Strings{"b.txt", "A.csv", "sub/c.txt", ".hidden"}
            << "<prog>/Samples/.hidden|<prog>/Samples/A.csv|<prog>/Samples/b.txt";
        QTest::newRow("one file") << Strings{"only.htm"} << "<prog>/Samples/only.htm";
        QTest::newRow("empty folder") << Strings{} << "";
        QTest::newRow("no folder") << Strings{"-"} << "";
    }
    void record() {
        QFETCH(Strings, samples);
        QFETCH(QString, expected);
        TempTree tree;
        tree.folder("prog");
        if (samples != Strings{"-"}) tree.folder("prog/Samples");
        for (const std::string& name : samples) {
            if (name != "-") tree.file("prog/Samples/" + name);
        }
        Program program(tree.path("prog"));
        program.samples.RecordSampleFiles();
        QString record = QString::fromStdString(program.record());
        QCOMPARE(record.replace(QString::fromStdString(tree.path("prog")), "<prog>"), expected);
    }

    // The window closing while the record is scrambled leaves no record behind.
    void closingWindowWritesNoRecord() {
        TempTree tree;
        tree.file("prog/Samples/a.txt");
        Program program(tree.path("prog"));
        program.loop.closing = true;
        program.samples.RecordSampleFiles();
        QVERIFY(program.settings.writes.empty());
    }

    // The button after a record of "a.txt" and "b.txt": what is added, what is asked and which
    // folder the Yes answer opens.
    void loading_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("presses");
        QTest::addColumn<Strings>("expectedRows");
        QTest::addColumn<QString>("expectedFolder");  // relative to the tree; "": none opened
        QTest::newRow("both files")
            << "as recorded" << 1 << Strings{"prog/Samples/a.txt", "prog/Samples/b.txt"}
            << "prog/Samples/";
        QTest::newRow("pressed twice adds once")
            << "as recorded" << 2 << Strings{"prog/Samples/a.txt", "prog/Samples/b.txt"}
            << "prog/Samples/";
        QTest::newRow("already listed file not added again")
            << "b listed" << 1 << Strings{"prog/Samples/b.txt", "prog/Samples/a.txt"}
            << "prog/Samples/";
        QTest::newRow("deleted file skipped, new file ignored")
            << "a deleted, c added" << 1 << Strings{"prog/Samples/b.txt"} << "prog/Samples/";
        QTest::newRow("program moved: nothing added, new folder opened")
            << "moved" << 1 << Strings{} << "moved/Samples/";
        QTest::newRow("sample folder missing")
            << "folder removed" << 1 << Strings{} << "prog/Samples/";
        QTest::newRow("No opens nothing")
            << "answer No" << 1 << Strings{"prog/Samples/a.txt", "prog/Samples/b.txt"} << "";
        QTest::newRow("no record yet") << "no record" << 1 << Strings{} << "prog/Samples/";
    }
    void loading() {
        QFETCH(QString, situation);
        QFETCH(int, presses);
        QFETCH(Strings, expectedRows);
        QFETCH(QString, expectedFolder);
        TempTree tree;
        tree.file("prog/Samples/a.txt");
        tree.file("prog/Samples/b.txt");
        std::string programFolder = tree.path("prog");
        FakeSettingsStore recorded;
        {
            Program first(programFolder);
            if (situation != "no record") first.samples.RecordSampleFiles();
            recorded.values = first.settings.values;
        }
        if (situation == "a deleted, c added") {
            std::filesystem::remove(tree.path("prog/Samples/a.txt"));
            tree.file("prog/Samples/c.txt");
        } else if (situation == "moved") {
            std::filesystem::rename(tree.path("prog"), tree.path("moved"));
            programFolder = tree.path("moved");
        } else if (situation == "folder removed") {
            std::filesystem::remove_all(tree.path("prog/Samples"));
        }
        Program program(programFolder);
        program.settings.values = recorded.values;
        if (situation == "b listed") program.list.append(tree.path("prog/Samples/b.txt"));
        if (situation == "answer No") program.boxes.answers = {false};

        OptionsModel options(program.settings);
        for (int i = 0; i < presses; ++i)
            program.samples.load(program.list, options);

        QCOMPARE(tree.relative(program.rows()), expectedRows);
        QCOMPARE(program.boxes.questions, Strings(std::size_t(presses), kQuestion));
        const Strings expectedFolders =
            expectedFolder.isEmpty()
                ? Strings{}
                : Strings(std::size_t(presses), tree.path(expectedFolder.toStdString()));
        QCOMPARE(program.shell.folders, expectedFolders);
        QVERIFY(options.options().lengthBoxes[5] == kTicked);
        QCOMPARE(program.settings.values.at("Phone Length5"), std::string("1"));
        QVERIFY(program.errors.reports.empty());
    }

    // A failing load is reported with label 100, and the 10-digit box is still ticked.
    void failingLoadStillTicksTheBox() {
        TempTree tree;
        Program program(tree.path("prog"));
        program.settings.unreadableKeys.insert("Snapshot");
        OptionsModel options(program.settings);
        program.samples.load(program.list, options);
        QCOMPARE(program.errors.reports,
                 (Strings{ErrorReportText("Permission denied", SampleFiles::kProcedure, 100)}));
        QVERIFY(options.options().lengthBoxes[5] == kTicked);
        QVERIFY(program.boxes.questions.empty());
    }
};

QTEST_GUILESS_MAIN(SampleFilesTest)
#include "test_sample_files.moc"
