// Hostile folder trees and drops: link loops, names no text can spell, line breaks and control
// characters in names, trees of 100,000 files and 500 levels, folders vanishing while they are
// walked, drops of thousands of paths or of nothing. Every import ends, takes each file once,
// never takes a file that is not there, and keeps the window responsive.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "error_report.h"
#include "file_drop.h"
#include "folder_import_command.h"
#include "input_paths.h"
#include "posix_file_system.h"
#include "support/cat.h"
#include "support/fake_error_box.h"
#include "support/fake_folder_chooser.h"
#include "support/fake_message_boxes.h"
#include "support/fake_settings_store.h"
#include "support/fake_text_prompt.h"
#include "support/fake_window_pointer.h"
#include "support/table_types.h"
#include "support/temp_tree.h"
#include "support/timed_event_loop.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

using std::chrono::milliseconds;

// One "Add All File(s) In Folder" of every file under the tree's top folder.
struct Import {
    explicit Import(const TempTree& tree, Pacing pacing = {})
        : command(list, prompt, chooser, settings, pointer,
                  WalkServices{files, loop, errors, std::move(pacing)}, boxes) {
        prompt.answer = [](const std::string&) { return std::string("*"); };
        chooser.answer = tree.root();
    }

    Strings run(const TempTree& tree) {
        loop.start();
        command.run();
        loop.stop();
        return tree.relative(Strings(list.rows().begin(), list.rows().end()));
    }

    PosixFileSystem files;
    InputList list;
    FakeTextPrompt prompt;
    FakeFolderChooser chooser;
    FakeSettingsStore settings;
    FakeWindowPointer pointer;
    TimedEventLoop loop;
    FakeErrorBox errors;
    FakeMessageBoxes boxes;
    FolderImportCommand command;
};

// The disk, where one folder is replaced by a link just before it is opened for the `turn`-th
// time: 1 when the walk lists its subfolders, 2 when its files are listed.
class SwappingFileSystem : public PosixFileSystem {
  public:
    bool listFolder(const std::string& folder,
                    const std::function<bool(const FileIdentity&)>& accept,
                    const std::function<void(std::string_view, EntryType)>& visit) override {
        if (folder == swapped && ++opened == turn) swap();
        return PosixFileSystem::listFolder(folder, accept, visit);
    }

    std::string swapped;  // as the walk writes it, with a separator at its end
    int turn = 0;
    int opened = 0;
    std::function<void()> swap;
};

Pacing EveryChance() {
    return Pacing{std::chrono::microseconds(0), {}};
}

// Removes what the temporary folder cannot: names that are no valid UTF-8.
void RemoveTree(const TempTree& tree) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(tree.root(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace

class HostileTreesTest : public QObject {
    Q_OBJECT

  private slots:
    // "entries": files, folders ending in "/", links as "name->target". Every import ends and
    // takes each file once, in walk order.
    void trees_data() {
        QTest::addColumn<Strings>("entries");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("link to the parent folder")
            << Strings{"top.txt", "sub/a.txt", "sub/up->.."} << Strings{"top.txt", "sub/a.txt"};
        QTest::newRow("link to the top folder from deep down")
            << Strings{"a/b/c/f.txt", "a/b/c/top->../../.."} << Strings{"a/b/c/f.txt"};
        QTest::newRow("two folders linking into each other")
            << Strings{"a/x.txt", "c/y.txt", "a/b->../c", "c/d->../a"}
            << Strings{"a/x.txt", "c/y.txt"};
        QTest::newRow("link to itself") << Strings{"f.txt", "self->self"} << Strings{"f.txt"};
        QTest::newRow("links in a ring")
            << Strings{"f.txt", "r1->r2", "r2->r1"} << Strings{"f.txt"};
        QTest::newRow("link to nowhere") << Strings{"f.txt", "gone->missing/x"} << Strings{"f.txt"};
        QTest::newRow("file names with line breaks and control characters")
            << Strings{"a\nb.txt", "c\rd.txt", "tab\t.txt", "esc\x1b[2J.txt", "del\x7f.txt"}
            << Strings{"a\nb.txt", "c\rd.txt", "del\x7f.txt", "esc\x1b[2J.txt", "tab\t.txt"};
        QTest::newRow("folder names with control characters are walked")
            << Strings{"ok/f.txt", "new\nline/f.txt", "bell\x07/f.txt", "c1\xC2\x85/f.txt"}
            << Strings{"bell\x07/f.txt", "c1\xC2\x85/f.txt", "new\nline/f.txt", "ok/f.txt"};
        QTest::newRow("names that are no UTF-8 are taken byte for byte")
            << Strings{"x\xFF/f\xFE.txt", "x\xEF\xBF\xBD/g.txt"}
            << Strings{"x\xEF\xBF\xBD/g.txt", "x\xFF/f\xFE.txt"};
        QTest::newRow("names that look like patterns")
            << Strings{"*.txt", "?", "[a].txt"} << Strings{"*.txt", "?", "[a].txt"};
    }

    void trees() {
        QFETCH(Strings, entries);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const std::string& entry : entries) {
            const std::size_t arrow = entry.find("->");
            if (arrow != std::string::npos) {
                tree.link(entry.substr(0, arrow), entry.substr(arrow + 2));
            } else {
                tree.file(entry, "555-1234");
            }
        }
        Import import(tree, EveryChance());
        const Strings rows = import.run(tree);
        QCOMPARE(rows, expected);
        QCOMPARE(import.errors.reports, Strings{});
        for (const std::string& row : import.list.rows())
            QVERIFY2(import.files.isExistingFile(row), row.c_str());
        QCOMPARE(import.pointer.value, kDefaultPointer);
        RemoveTree(tree);
    }

    // A folder of the named tree "in" replaced by a link while the tree is walked for the
    // command line: every folder is read at most once, under the name it was found by, and
    // never one the walk did not find there; one that is no longer what was found is said.
    // "moved:" moves the folder to the link's target first, so the link leads to it.
    void swappedWhileWalked_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("turn");
        QTest::addColumn<QString>("link");
        QTest::addColumn<Strings>("expected");
        const Strings withoutX{"in/top.txt", "in/a/1.txt", "in/b/4.txt"};
        QTest::newRow("by a link to its parent, as its subfolders are listed")
            << "in/a/x" << 1 << ".." << withoutX;
        QTest::newRow("by a link to its parent, as its files are listed")
            << "in/a/x" << 2 << ".." << withoutX;
        QTest::newRow("by a link out of the named folder")
            << "in/a/x" << 2 << "../../outside" << withoutX;
        QTest::newRow("by a link to a folder still to be read")
            << "in/b" << 2 << "a/x"
            << Strings{"in/top.txt", "in/a/1.txt", "in/a/x/2.txt", "in/a/x/y/3.txt"};
        QTest::newRow("moved, the link leading to it")
            << "in/a/x" << 2 << "moved:x2"
            << Strings{"in/top.txt", "in/a/1.txt", "in/b/4.txt", "in/a/x/2.txt", "in/a/x/y/3.txt"};
    }

    void swappedWhileWalked() {
        QFETCH(QString, folder);
        QFETCH(int, turn);
        QFETCH(QString, link);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const char* name : {"in/top.txt", "in/a/1.txt", "in/a/x/2.txt", "in/a/x/y/3.txt",
                                 "in/b/4.txt", "outside/o.txt"}) {
            tree.file(name);
        }
        const std::string path = tree.path(folder.toStdString());
        std::string target = link.toStdString();
        const bool moved = target.starts_with("moved:");
        if (moved) target.erase(0, 6);
        SwappingFileSystem files;
        files.swapped = path + "/";
        files.turn = turn;
        files.swap = [&] {
            const std::string away =
                moved ? path.substr(0, path.rfind('/') + 1) + target : path + ".gone";
            QCOMPARE(::rename(path.c_str(), away.c_str()), 0);
            QCOMPARE(::symlink(target.c_str(), path.c_str()), 0);
        };
        FakeErrorBox errors;
        InputPaths inputs(Strings{tree.path("in")}, {}, files, errors);
        Strings read;
        while (std::optional<std::string> file = inputs.next())
            read.push_back(*file);
        QCOMPARE(files.opened, turn);
        QCOMPARE(tree.relative(read), expected);
        const Strings said{"Cannot read the folder \"" + path +
                           "\": it was replaced while it was read"};
        QCOMPARE(errors.reports, moved ? Strings{} : said);
    }

    // Thousands of files in one folder or spread over a hundred: all of them become rows, in
    // walk order.
    void manyFiles_data() {
        QTest::addColumn<int>("folders");
        QTest::newRow("one folder") << 1;
        QTest::newRow("a hundred folders") << 100;
    }

    void manyFiles() {
        QFETCH(int, folders);
        // A tree large enough to show the rules at scale; bench/run_responsiveness_bench.sh runs
        // it with 100,000 files and judges the printed longest wait.
        const int kFiles = qEnvironmentVariableIntValue("TESSALY_TREE_FILES") > 0
                               ? qEnvironmentVariableIntValue("TESSALY_TREE_FILES")
                               : 5000;
        TempTree tree;
        for (int f = 0; f < folders; ++f) {
            const std::string folder =
                folders == 1 ? "" : tessaly::testing::Cat("d", std::to_string(1000 + f), "/");
            if (!folder.empty()) tree.folder(folder);
            for (int i = 0; i < kFiles / folders; ++i) {
                const std::string name = folder + "f" + std::to_string(100000 + i) + ".txt";
                const std::string path = tree.path(name);
                ::close(::creat(path.c_str(), 0644));
            }
        }
        Import import(tree);
        const auto start = std::chrono::steady_clock::now();
        const Strings rows = import.run(tree);
        qInfo("%d files in %d folder(s): %lld ms, longest wait for the event loop %lld ms", kFiles,
              folders,
              static_cast<long long>(
                  std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start)
                      .count()),
              static_cast<long long>(import.loop.longestGap().count()));
        QCOMPARE(rows.size(), std::size_t(kFiles));
        QCOMPARE(rows.front(), folders == 1 ? "f100000.txt" : "d1000/f100000.txt");
        const std::string last = "f" + std::to_string(100000 + kFiles / folders - 1) + ".txt";
        QCOMPARE(rows.back(),
                 folders == 1 ? last : "d" + std::to_string(1000 + folders - 1) + "/" + last);
        QVERIFY(std::is_sorted(rows.begin(), rows.end()));
        QCOMPARE(import.errors.reports, Strings{});
    }

    // 500 levels, paths of over 1,000 bytes: the walk ends and takes the files of every level.
    void deepTree() {
        constexpr int kLevels = 500;
        TempTree tree;
        std::string relative;
        Strings levels;
        for (int level = 0; level < kLevels; ++level) {
            tree.file(relative + "f.txt");
            levels.push_back(relative + "f.txt");
            relative += "d/";
        }
        tree.folder(relative);
        Import import(tree, EveryChance());
        QCOMPARE(import.run(tree), levels);
        QCOMPARE(import.errors.reports, Strings{});
    }

    // A folder removed at any moment of the import: it still ends, every file outside the
    // vanished folder is taken once, none inside it is taken after it went, and any failure is
    // reported by the walk.
    void vanishingFolder() {
        const Strings files{"a/1.txt", "a/x/2.txt", "a/x/y/3.txt",
                            "b/4.txt", "b/z/5.txt", "top.txt"};
        long passes = 0;
        for (long vanishAt = 1; vanishAt == 1 || vanishAt <= passes + 1; ++vanishAt) {
            for (const std::string doomed : {"a/x", "b", "a"}) {
                TempTree tree;
                for (const std::string& f : files)
                    tree.file(f, "555-1234");
                Import import(tree, EveryChance());
                std::size_t rowsBefore = std::size_t(-1);
                import.loop.onYield = [&](long pass) { if (pass != vanishAt) return;
                std::filesystem::remove_all(tree.path(doomed));
                rowsBefore = import.list.count();
            };
            const Strings rows = import.run(tree);
            passes = std::max(passes, import.loop.passes);
            const QByteArray where = QByteArray("pass ") + QByteArray::number(qlonglong(vanishAt)) +
                                     ", " + doomed.c_str();
            auto isDoomed = [&](const std::string& f) { return f.starts_with(doomed + "/"); };
            for (const std::string& f : files) {
                const auto n = std::count(rows.begin(), rows.end(), f);
                QVERIFY2(n == 1 || (n == 0 && isDoomed(f)), where);
            }
            for (std::size_t i = std::min(rowsBefore, rows.size()); i < rows.size(); ++i)
                QVERIFY2(!isDoomed(rows[i]), where);
            QCOMPARE(rows.size(), std::size_t(std::count_if(
                                      files.begin(), files.end(), [&](const std::string& f) {
                                          return std::count(rows.begin(), rows.end(), f);
                                      })));
            for (const std::string& report : import.errors.reports) {
                QVERIFY2(report.find(std::string(FolderWalk::kProcedure)) != std::string::npos,
                         report.c_str());
            }
            QCOMPARE(import.pointer.value, kDefaultPointer);
        }
    }
    QVERIFY(passes > 10);
}

    // Drops: thousands of paths land in their order at once; empty payloads add nothing.
    void drops_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("empty");
    QTest::newRow("nothing") << 0 << false;
    QTest::newRow("only empty paths") << 3 << true;
    QTest::newRow("five thousand paths") << 5000 << false;
}

void drops() {
    QFETCH(int, count);
    QFETCH(bool, empty);
    TempTree tree;
    tree.file("folder/inner.txt");
    Strings dropped;
    for (int i = 0; i < count; ++i)
        dropped.push_back(empty ? "" : tree.path("file" + std::to_string(i)));
    if (count > 1 && !empty) dropped[std::size_t(count) / 2] = tree.path("folder");
    PosixFileSystem files;
    TimedEventLoop loop;
    FakeErrorBox errors;
    InputList list;
    FakeMessageBoxes boxes;
    FileDrop drop(list, WalkServices{files, loop, errors, Pacing{}}, boxes);
    loop.start();
    drop.drop(dropped);
    loop.stop();
    Strings expected;
    for (const std::string& path : dropped) {
        if (path.empty()) continue;
        expected.push_back(path == tree.path("folder") ? tree.path("folder/inner.txt") : path);
    }
    QCOMPARE(Strings(list.rows().begin(), list.rows().end()), expected);
    QCOMPARE(errors.reports, Strings{});
}
}
;

QTEST_APPLESS_MAIN(HostileTreesTest)
#include "test_hostile_trees.moc"
