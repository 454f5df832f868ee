// The folder walk on real folder trees (level order, listing order, hidden folders, names of any
// bytes, long paths, links back up the tree, folders that cannot be read) and on a made-up tree for
// what a disk here cannot show (system attributes, failing lookups).

#include <QtTest>

#include <string>
#include <vector>

#include "error_report.h"
#include "folder_walk.h"
#include "posix_file_system.h"
#include "support/fake_error_box.h"
#include "support/fake_event_loop.h"
#include "support/fake_file_system.h"
#include "support/run_unprivileged.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

const std::string kLongName(100, 'x');

Pacing EveryTime() {
    return Pacing{std::chrono::microseconds(0), {}};
}

std::string Joined(const Strings& items) {
    std::string text;
    for (const std::string& item : items)
        text += item + "\n";
    return text;
}

// The folder list of a walk from `start`, relative to the tree.
Strings Walk(FileSystem& files, const std::string& start, FakeErrorBox& errors) {
    FakeEventLoop loop;
    FolderWalk walk(WalkServices{files, loop, errors, EveryTime()});
    Strings folders{start + "/"};
    walk.collectSubfolders(folders, true);
    return folders;
}

}  // namespace

class FolderWalkTest : public QObject {
    Q_OBJECT

  private slots:
    // Folders to make ("name -> target" makes a link), where the walk starts, and its list.
    void levelsOnDisk_data() {
        QTest::addColumn<Strings>("make");
        QTest::addColumn<QString>("start");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("three levels, level by level")
            << Strings{"b/b1/b1x", "a/a1", "c"} << ""
            << Strings{"", "a/", "b/", "c/", "a/a1/", "b/b1/", "b/b1/b1x/"};
        QTest::newRow("names in order without regard to case")
            << Strings{"beta", "Alpha", "alpha2", "Gamma"} << ""
            << Strings{"", "Alpha/", "alpha2/", "beta/", "Gamma/"};
        QTest::newRow("hidden folders are walked")
            << Strings{".cache/x"} << "" << Strings{"", ".cache/", ".cache/x/"};
        QTest::newRow("question marks and control characters are ordinary")
            << Strings{"what?/inner", "tab\there/inner", "ok"} << ""
            << Strings{"", "ok/", "tab\there/", "what?/", "tab\there/inner/", "what?/inner/"};
        QTest::newRow("empty folder") << Strings{} << "" << Strings{""};
        QTest::newRow("a link back up the tree ends")
            << Strings{"a/b", "a/b/up -> ../..", "c"} << "" << Strings{"", "a/", "c/", "a/b/"};
        QTest::newRow("a second way into one folder is dropped")
            << Strings{"real/x", "via -> real"} << "" << Strings{"", "real/", "real/x/"};
        QTest::newRow("a link out of the walked folder is followed")
            << Strings{"outside/o", "in/out -> ../outside"} << "in"
            << Strings{"in/", "in/out/", "in/out/o/"};
        QTest::newRow("paths beyond 260 characters are walked")
            << Strings{kLongName + "/" + kLongName + "/" + kLongName + "/deeper"} << ""
            << Strings{"", kLongName + "/", kLongName + "/" + kLongName + "/",
                       kLongName + "/" + kLongName + "/" + kLongName + "/",
                       kLongName + "/" + kLongName + "/" + kLongName + "/deeper/"};
    }
    void levelsOnDisk() {
        QFETCH(Strings, make);
        QFETCH(QString, start);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const std::string& item : make) {
            const std::size_t arrow = item.find(" -> ");
            if (arrow == std::string::npos) {
                tree.folder(item);
            } else {
                tree.link(item.substr(0, arrow), item.substr(arrow + 4));
            }
        }
        const std::string from = start.isEmpty() ? tree.root() : tree.path(start.toStdString());
        PosixFileSystem files;
        FakeErrorBox errors;
        QCOMPARE(tree.relative(Walk(files, from, errors)), expected);
        QVERIFY(errors.reports.empty());
    }

    // A folder the user may not open is dropped with its files, without an error report (the
    // caller names it); the rest goes on.
    void unreadableFolderIsDropped() {
        TempTree tree;
        tree.folder("locked/inside");
        tree.folder("open/inner");
        tree.file("locked/secret.txt");
        tree.mode("locked", 0);
        const std::optional<std::string> result = RunUnprivileged([&] {
            PosixFileSystem files;
            FakeErrorBox errors;
            const Strings walked = tree.relative(Walk(files, tree.root(), errors));
            return Joined(walked) + "reports " + std::to_string(errors.reports.size());
        });
        tree.mode("locked", 0755);
        QVERIFY(result.has_value());
        QCOMPARE(*result, Joined({"", "open/", "open/inner/"}) + "reports 0");
    }

    // Every file of the folder whose name matches, hidden ones too, never a folder, in order
    // without regard to case; what is no file at all is left out.
    void filesInFolder_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<Strings>("expected");
        const Strings all{".hidden", "b.txt", "C.TXT", "noext", "x.doc", "~tmp.txt"};
        QTest::newRow("*.* takes every name, also without a dot") << "*.*" << all;
        QTest::newRow("extension, case ignored")
            << "*.txt" << Strings{"b.txt", "C.TXT", "~tmp.txt"};
        QTest::newRow("question mark is one character") << "?.txt" << Strings{"b.txt", "C.TXT"};
        QTest::newRow("no match") << "*.pdf" << Strings{};
    }
    void filesInFolder() {
        QFETCH(QString, pattern);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const char* name : {"x.doc", "C.TXT", "b.txt", "noext", ".hidden", "~tmp.txt"}) {
            tree.file(std::string("f/") + name);
        }
        tree.folder("f/sub.txt");
        tree.link("f/gone.txt", "nowhere");
        QVERIFY(::mkfifo(tree.path("f/pipe.txt").c_str(), 0644) == 0);
        PosixFileSystem files;
        QCOMPARE(ListFilesInFolder(files, tree.path("f"), pattern.toStdString()), expected);
        QCOMPARE(ListFilesInFolder(files, tree.path("f/"), pattern.toStdString()), expected);
    }

    void attributeValues_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("expected");
        QTest::newRow("file") << "file.txt" << 32;
        QTest::newRow("hidden file") << ".file" << 34;
        QTest::newRow("folder") << "folder" << 16;
        QTest::newRow("hidden folder") << ".folder" << 18;
        QTest::newRow("link to a file") << "to-file" << 1056;
        QTest::newRow("link to a folder") << "to-folder" << 1040;
        QTest::newRow("read-only file") << "fixed.txt" << 33;
        QTest::newRow("writable by its owner alone") << "own.txt" << 32;
        QTest::newRow("missing") << "missing" << -1;
    }
    void attributeValues() {
        QFETCH(QString, path);
        QFETCH(int, expected);
        TempTree tree;
        for (const char* name : {"file.txt", ".file", "fixed.txt", "own.txt"})
            tree.file(name);
        for (const char* name : {"file.txt", ".file"})
            tree.mode(name, 0666);
        tree.mode("fixed.txt", 0444);
        tree.mode("own.txt", 0644);
        for (const char* name : {"folder", ".folder"}) {
            tree.folder(name);
            tree.mode(name, 0777);
        }
        tree.link("to-file", "file.txt");
        tree.link("to-folder", "folder");
        const std::string full = tree.path(path.toStdString());
        // The same for every user: the owner, and another one.
        const auto value = [&] {
            PosixFileSystem files;
            return std::to_string(files.attributes(full).value_or(-1));
        };
        QCOMPARE(std::stoi(value()), expected);
        QCOMPARE(RunUnprivileged(value), std::optional<std::string>(value()));
    }

    // Made-up trees: attribute values and names a disk here never shows.
    void madeUpTrees_data() {
        QTest::addColumn<int>("startAttributes");
        QTest::addColumn<int>("subAttributes");
        QTest::addColumn<QString>("subName");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("hidden system subfolder skipped with its subtree")
            << 16 << 22 << "sys" << Strings{"/t/", "/t/plain/"};
        QTest::newRow("hidden system link skipped")
            << 16 << 1046 << "sys" << Strings{"/t/", "/t/plain/"};
        QTest::newRow("read-only hidden system subfolder walked")
            << 16 << 23 << "sys" << Strings{"/t/", "/t/plain/", "/t/sys/", "/t/sys/deep/"};
        QTest::newRow("hidden system start keeps only itself")
            << 22 << 16 << "sys" << Strings{"/t/"};
        QTest::newRow("path of 4,096 bytes skipped")
            << 16 << 16 << QString(4092, 'n') << Strings{"/t/", "/t/plain/"};
        QTest::newRow("path of 4,095 bytes kept, not descended into")
            << 16 << 16 << QString(4091, 'n')
            << Strings{"/t/", "/t/" + std::string(4091, 'n') + "/", "/t/plain/"};
    }
    void madeUpTrees() {
        QFETCH(int, startAttributes);
        QFETCH(int, subAttributes);
        QFETCH(QString, subName);
        QFETCH(Strings, expected);
        FakeFileSystem files;
        files.addFolder("/t", startAttributes);
        files.addFolder("/t/plain");
        files.addFolder("/t/" + subName.toStdString(), subAttributes);
        files.addFolder("/t/" + subName.toStdString() + "/deep");
        FakeErrorBox errors;
        QCOMPARE(Walk(files, "/t", errors), expected);
        QVERIFY(errors.reports.empty());
    }

    // The root folder is walked whatever its attributes.
    void rootFolderIsAlwaysWalked() {
        FakeFileSystem files;
        files.addFolder("/", 22);
        files.addFolder("/sys", 22);
        files.addFolder("/usr");
        FakeErrorBox errors;
        QCOMPARE(Walk(files, "/", errors), (Strings{"//", "//usr/"}));
    }

    // A failing listing is no error report: a lost folder is dropped, any other failure keeps
    // it; one that is there is kept for the caller to name, one that vanished is not.
    void listingFailures_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<Strings>("unreadable");
        QTest::newRow("access denied") << int(FileSystemError::Kind::kAccessDenied)
                                       << Strings{"/t/", "/t/a/", "/t/c/"} << Strings{"/t/b"};
        QTest::newRow("not found") << int(FileSystemError::Kind::kNotFound)
                                   << Strings{"/t/", "/t/a/", "/t/c/"} << Strings{};
        QTest::newRow("other failure")
            << int(FileSystemError::Kind::kOther) << Strings{"/t/", "/t/a/", "/t/b/", "/t/c/"}
            << Strings{"/t/b"};
    }
    void listingFailures() {
        QFETCH(int, kind);
        QFETCH(Strings, expected);
        QFETCH(Strings, unreadable);
        FakeFileSystem files;
        files.addFolder("/t");
        files.addFolder("/t/a");
        files.addFolder("/t/b").listingFails = FileSystemError::Kind(kind);
        files.addFolder("/t/b/under");
        files.addFolder("/t/c");
        FakeErrorBox errors;
        FakeEventLoop loop;
        FolderWalk walk(WalkServices{files, loop, errors, EveryTime()});
        Strings folders{"/t/"}, named;
        walk.collectSubfolders(folders, true);
        QCOMPARE(folders, expected);
        for (const UnreadableFolder& lost : walk.unreadable())
            named.push_back(lost.path);
        QCOMPARE(named, unreadable);
        QVERIFY(errors.reports.empty());
    }

    // Before any folder is listed, a failure is reported under the walk's own name.
    void failedLookUpIsReported() {
        FakeFileSystem files;
        files.addFolder("/t").lookUpFails = true;
        FakeErrorBox errors;
        QCOMPARE(Walk(files, "/t", errors), (Strings{"/t/"}));
        QCOMPARE(errors.reports,
                 (Strings{ErrorReportText("Path not found: /t", FolderWalk::kProcedure, 112)}));
    }

    // The window closing stops the walk at its next yield.
    void closingWindowStopsTheWalk() {
        FakeFileSystem files;
        files.addFolder("/t");
        for (int i = 0; i < 5; ++i)
            files.addFolder("/t/f" + std::to_string(i));
        FakeEventLoop loop;
        loop.onYield = [&](int pass) { loop.closing = pass >= 3; };
        FakeErrorBox errors;
        FolderWalk walk(WalkServices{files, loop, errors, EveryTime()});
        Strings folders{"/t/"};
        QVERIFY(!walk.collectSubfolders(folders, true));
        QCOMPARE(loop.passes, 3);
        QCOMPARE(folders, (Strings{"/t/"}));
    }
};

QTEST_GUILESS_MAIN(FolderWalkTest)
#include "test_folder_walk.moc"
