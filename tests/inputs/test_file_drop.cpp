// Files and folders dropped on the input list: files as they stand, folders walked for files
// of every extension, in the order of the drop.

#include <QtTest>

#include <string>
#include <vector>

#include "file_drop.h"
#include "posix_file_system.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_file_system.h"
#include "support/fake_message_boxes.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

class FileDropTest : public QObject {
    Q_OBJECT

  private slots:
    // Dropped paths relative to a tree (a path starting with "/" is taken as it stands), and
    // the rows they give.
    void drop_data() {
        QTest::addColumn<Strings>("dropped");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("three files unchanged, in drop order")
            << Strings{"one/z.txt", "one/a.doc", "one/~temp.txt"}
            << Strings{"one/z.txt", "one/a.doc", "one/~temp.txt"};
        QTest::newRow("hidden and missing files as they stand")
            << Strings{"one/.hidden", "one/gone.txt", "/no/such/file"}
            << Strings{"one/.hidden", "one/gone.txt", "/no/such/file"};
        QTest::newRow("a folder: every extension, level by level, no ~ or hidden")
            << Strings{"one"}
            << Strings{"one/a.doc", "one/noext", "one/z.txt", "one/sub/b.csv",
                       "one/sub/deep/c.htm"};
        QTest::newRow("a folder with a trailing separator")
            << Strings{"two/"} << Strings{"two/y.txt"};
        QTest::newRow("two folders, one tree after the other")
            << Strings{"two", "one/sub"}
            << Strings{"two/y.txt", "one/sub/b.csv", "one/sub/deep/c.htm"};
        QTest::newRow("folder then file")
            << Strings{"two", "one/z.txt"} << Strings{"two/y.txt", "one/z.txt"};
        QTest::newRow("file then folder")
            << Strings{"one/z.txt", "two"} << Strings{"one/z.txt", "two/y.txt"};
        QTest::newRow("an empty folder adds nothing") << Strings{"empty"} << Strings{};
        QTest::newRow("a link loop inside gives each file once")
            << Strings{"loop"} << Strings{"loop/l.txt", "loop/in/m.txt"};
    }
    void drop() {
        QFETCH(Strings, dropped);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const char* name :
             {"one/z.txt", "one/a.doc", "one/~temp.txt", "one/.hidden", "one/noext",
              "one/sub/b.csv", "one/sub/deep/c.htm", "two/y.txt", "loop/l.txt", "loop/in/m.txt"}) {
            tree.file(name);
        }
        tree.folder("empty");
        tree.link("loop/in/back", "..");
        Strings paths;
        for (const std::string& p : dropped)
            paths.push_back(p.starts_with("/") ? p : tree.path(p));

        InputList list;
        PosixFileSystem files;
        FakeEventLoop loop;
        FakeErrorBox errors;
        FakeMessageBoxes boxes;
        FileDrop drop(list, WalkServices{files, loop, errors, Pacing{}}, boxes);
        drop.drop(paths);
        QCOMPARE(tree.relative(Strings(list.rows().begin(), list.rows().end())), expected);
        QVERIFY(errors.reports.empty());
        QCOMPARE(boxes.notices, Strings{});
    }

    // Folders that cannot be read in several dropped folders: one notice after the whole drop.
    void unreadableFoldersOfADrop() {
        FakeFileSystem files;
        for (const std::string top : {"/p", "/q"}) {
            files.addFolder(top);
            files.addFolder(top + "/locked").listingFails = FileSystemError::Kind::kAccessDenied;
        }
        InputList list;
        FakeEventLoop loop;
        FakeErrorBox errors;
        FakeMessageBoxes boxes;
        FileDrop(list, WalkServices{files, loop, errors, Pacing{}}, boxes).drop({"/p", "/q"});
        QCOMPARE(boxes.notices,
                 Strings{"2 folders could not be read, so their files were not added:\r"
                         "\r/p/locked\r/q/locked"});
    }

    // The window closing while a dropped folder is walked ends the whole drop.
    void closingWindowEndsTheDrop() {
        TempTree tree;
        tree.file("f/sub/a.txt");
        tree.file("b.txt");
        InputList list;
        PosixFileSystem files;
        FakeEventLoop loop;
        loop.closing = true;
        FakeErrorBox errors;
        FakeMessageBoxes boxes;
        FileDrop drop(list,
                      WalkServices{files, loop, errors, Pacing{std::chrono::microseconds(0), {}}},
                      boxes);
        drop.drop({tree.path("f"), tree.path("b.txt")});
        QCOMPARE(list.count(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(FileDropTest)
#include "test_file_drop.moc"
