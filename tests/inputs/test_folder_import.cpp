// "Add All File(s) In Folder": which files of a walked tree become rows, in which order, the
// two questions with their remembered answers, and the busy pointer around the work.

#include <QtTest>

#include <string>
#include <vector>

#include "error_report.h"
#include "folder_import_command.h"
#include "posix_file_system.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_file_system.h"
#include "support/fake_folder_chooser.h"
#include "support/fake_message_boxes.h"
#include "support/fake_settings_store.h"
#include "support/fake_text_prompt.h"
#include "support/fake_window_pointer.h"
#include "support/run_unprivileged.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

// One import with everything it talks to.
struct Import {
    explicit Import(FileSystem& files)
        : command(list, prompt, chooser, settings, pointer,
                  WalkServices{files, loop, errors, Pacing{std::chrono::microseconds(0), {}}},
                  boxes) {}

    Strings rows() const { return Strings(list.rows().begin(), list.rows().end()); }

    InputList list;
    FakeTextPrompt prompt;
    FakeFolderChooser chooser;
    FakeSettingsStore settings;
    FakeWindowPointer pointer;
    FakeEventLoop loop;
    FakeErrorBox errors;
    FakeMessageBoxes boxes;
    FolderImportCommand command;
};

// The tree of the import tests: two levels, names to skip and names to take.
void MakeTree(const TempTree& tree) {
    for (const char* name :
         {"top.txt", "B.TXT", "noext", "x.doc", "~draft.txt", ".secret.txt", "sub/inner.txt",
          "sub/deeper/last.txt", "sub/deeper/last.doc", "Another/a.txt"}) {
        tree.file(name);
    }
}

}  // namespace

class FolderImportTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsForAnAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("txt, case ignored, level by level")
            << "txt"
            << Strings{"B.TXT", "top.txt", "Another/a.txt", "sub/inner.txt", "sub/deeper/last.txt"};
        QTest::newRow("* takes every extension and none") << "*"
                                                          << Strings{"B.TXT",
                                                                     "noext",
                                                                     "top.txt",
                                                                     "x.doc",
                                                                     "Another/a.txt",
                                                                     "sub/inner.txt",
                                                                     "sub/deeper/last.doc",
                                                                     "sub/deeper/last.txt"};
        QTest::newRow("a leading dot finds nothing") << ".txt" << Strings{};
        QTest::newRow("no such extension") << "pdf" << Strings{};
    }
    void rowsForAnAnswer() {
        QFETCH(QString, answer);
        QFETCH(Strings, expected);
        TempTree tree;
        MakeTree(tree);
        PosixFileSystem files;
        Import import(files);
        import.prompt.answer = [&](const std::string&) { return answer.toStdString();
    };
    import.chooser.answer = tree.root();
    import.command.run();
    QCOMPARE(tree.relative(import.rows()), expected);
    QCOMPARE(import.settings.values.at("Extension"), answer.toStdString());
    QVERIFY(import.errors.reports.empty());
}

    // Hidden and archived (34) is left out; hidden but read-only (35) is taken, by a user who
    // owns neither file as by their owner.
    void hiddenFiles() {
    TempTree tree;
    tree.file(".writable.txt");
    tree.file(".fixed.txt");
    tree.file("plain.txt");
    tree.mode(".writable.txt", 0666);
    tree.mode(".fixed.txt", 0444);
        const std::optional<std::string> rows = RunUnprivileged([&] {
        PosixFileSystem files;
        Import import(files);
        import.prompt.answer = [](const std::string&) { return std::string("txt"); };
            import.chooser.answer = tree.root();
            import.command.run();
            std::string text;
            for (const std::string& row : tree.relative(import.rows())) text += row + "\n";
            return text;
});
QVERIFY(rows.has_value());
QCOMPARE(*rows, std::string(".fixed.txt\nplain.txt\n"));
}

// The root folder gives rows with a single separator after it.
void rootFolder() {
    FakeFileSystem files;
    files.addFile("/a.txt");
    files.addFolder("/home");
    files.addFile("/home/b.txt");
    Import import(files);
    import.prompt.answer = [](const std::string&) { return std::string("txt");
};
import.chooser.answer = "/";
import.command.run();
QCOMPARE(import.rows(), (Strings{"/a.txt", "/home/b.txt"}));
}

// What is asked and remembered, for a stored or missing extension and an answer or Cancel
// at each question.
void questionsAndSettings_data() {
    QTest::addColumn<QString>("storedExtension");  // "-": missing
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("chooseFolder");
    QTest::addColumn<QString>("expectedDefault");
    QTest::addColumn<Strings>("expectedWrites");
    QTest::addColumn<int>("expectedChooserCalls");
    QTest::newRow("first use, default txt")
        << "-"
        << "txt" << true << "txt" << Strings{"Extension=txt", "Extension=txt", "LastFolder=<tree>"}
        << 1;
    QTest::newRow("stored extension is the default")
        << "doc"
        << "csv" << true << "doc" << Strings{"Extension=csv", "Extension=csv", "LastFolder=<tree>"}
        << 1;
    QTest::newRow("cancel at the extension changes nothing")
        << "doc"
        << "" << true << "doc" << Strings{} << 0;
    QTest::newRow("cancel at the folder keeps the new extension")
        << "doc"
        << "htm" << false << "doc" << Strings{"Extension=htm", "Extension=htm"} << 1;
}
void questionsAndSettings() {
    QFETCH(QString, storedExtension);
    QFETCH(QString, answer);
    QFETCH(bool, chooseFolder);
    QFETCH(QString, expectedDefault);
    QFETCH(Strings, expectedWrites);
    QFETCH(int, expectedChooserCalls);
    TempTree tree;
    PosixFileSystem files;
    Import import(files);
    if (storedExtension != "-") import.settings.values["Extension"] = storedExtension.toStdString();
    import.settings.values["LastFolder"] = "/previous/folder";
    import.prompt.answer = [&](const std::string&) { return answer.toStdString();
};
if (chooseFolder) import.chooser.answer = tree.root();
import.command.run();

QCOMPARE(import.prompt.prompts,
         (Strings{"Enter file extension to load:\r\r(* for all files, txt for all txt "
                  "files, doc for all doc files, etc.)"}));
QCOMPARE(import.prompt.defaults, (Strings{expectedDefault.toStdString()}));
QCOMPARE(int(import.chooser.prompts.size()), expectedChooserCalls);
if (expectedChooserCalls > 0) {
    QCOMPARE(import.chooser.prompts.front(), std::string("Please select folder:"));
    QCOMPARE(import.chooser.initialFolders.front(), std::string("/previous/folder"));
}
Strings writes;
for (const auto& [key, value] : import.settings.writes) {
    writes.push_back(key + "=" + (value == tree.root() ? "<tree>" : value));
}
QCOMPARE(writes, expectedWrites);
// The busy pointer shows only once a folder was chosen, and always goes again.
QCOMPARE(import.pointer.history,
         chooseFolder && !answer.isEmpty() ? (std::vector<int>{11, 0}) : std::vector<int>{});
}

// The walk yields with the busy pointer showing; a window that closes stops the import
// before any row, and the pointer still goes back.
void busyWhileWalking_data() {
    QTest::addColumn<bool>("closeWindow");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("walk to the end") << false << 5;
    QTest::newRow("window closes during the walk") << true << 0;
}
void busyWhileWalking() {
    QFETCH(bool, closeWindow);
    QFETCH(int, expectedRows);
    TempTree tree;
    MakeTree(tree);
    PosixFileSystem files;
    Import import(files);
    import.prompt.answer = [](const std::string&) { return std::string("txt");
};
import.chooser.answer = tree.root();
std::vector<int> pointersSeen;
import.loop.onYield = [&](int) { pointersSeen.push_back(import.pointer.value);
import.loop.closing = closeWindow;
}
;
import.command.run();
QVERIFY(!pointersSeen.empty());
QVERIFY(std::all_of(pointersSeen.begin(), pointersSeen.end(), [](int p) { return p == 11; }));
QCOMPARE(int(import.list.count()), expectedRows);
QCOMPARE(import.pointer.value, int(kDefaultPointer));
}

// Folders that cannot be read end the import with one notice, once the pointer is back:
// how many, and the first five; the files of the others are still added. One that vanished
// meanwhile is no loss to tell of.
void unreadableFoldersNotice_data() {
    QTest::addColumn<int>("denied");
    QTest::addColumn<int>("vanished");
    QTest::addColumn<Strings>("notices");
    QTest::newRow("one") << 1 << 0
                         << Strings{
                                "1 folder could not be read, so its files were not added:\r"
                                "\r/t/d0"};
    QTest::newRow("seven, five named")
        << 7 << 1
        << Strings{
               "7 folders could not be read, so their files were not added:\r"
               "\r/t/d0\r/t/d1\r/t/d2\r/t/d3\r/t/d4\rand 2 more"};
}
void unreadableFoldersNotice() {
    QFETCH(int, denied);
    QFETCH(int, vanished);
    QFETCH(Strings, notices);
    FakeFileSystem files;
    files.addFolder("/t");
    files.addFile("/t/top.txt");
    files.addFolder("/t/open");
    files.addFile("/t/open/in.txt");
    for (int i = 0; i < denied + vanished; ++i) {
        const std::string folder = "/t/d" + std::to_string(i);
        files.addFolder(folder).listingFails =
            i < denied ? FileSystemError::Kind::kAccessDenied : FileSystemError::Kind::kNotFound;
        files.addFile(folder + "/lost.txt");
    }
    Import import(files);
    import.prompt.answer = [](const std::string&) { return std::string("txt");
};
import.chooser.answer = "/t";
std::vector<int> pointers;
import.boxes.onShow = [&] { pointers.push_back(import.pointer.value);
}
;
import.command.run();
QCOMPARE(import.rows(), (Strings{"/t/top.txt", "/t/open/in.txt"}));
QCOMPARE(import.boxes.notices, notices);
QCOMPARE(pointers, std::vector<int>(notices.size(), int(kDefaultPointer)));
QVERIFY(import.errors.reports.empty());
}

// A failing step is reported with its label and the import goes on to its end.
void failureIsReportedAndImportGoesOn() {
    TempTree tree;
    tree.file("a.txt");
    PosixFileSystem files;
    Import import(files);
    import.settings.unwritableKeys.insert("LastFolder");
    import.prompt.answer = [](const std::string&) { return std::string("txt");
};
import.chooser.answer = tree.root();
import.command.run();
QCOMPARE(import.errors.reports,
         (Strings{ErrorReportText("Permission denied", FolderImportCommand::kProcedure, 334)}));
QCOMPARE(tree.relative(import.rows()), (Strings{"a.txt"}));
QCOMPARE(import.pointer.value, int(kDefaultPointer));
}
}
;

QTEST_GUILESS_MAIN(FolderImportTest)
#include "test_folder_import.moc"
