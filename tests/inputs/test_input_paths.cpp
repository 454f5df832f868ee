// The command line's input paths: files as they stand, folders walked for every file or for
// the files of one extension.

#include <sys/stat.h>

#include <QtTest>

#include <optional>
#include <string>
#include <vector>

#include "input_paths.h"
#include "posix_file_system.h"
#include "support/fake_error_box.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

class InputPathsTest : public QObject {
    Q_OBJECT

  private slots:
    void expansion_data() {
        QTest::addColumn<Strings>("paths");
        QTest::addColumn<QString>("extension");  // "-": none given
        QTest::addColumn<Strings>("expected");
        QTest::newRow("folder: every file, level by level")
            << Strings{"d"} << "-" << Strings{"d/a.txt", "d/b.csv", "d/noext", "d/s/c.txt"};
        QTest::newRow("folder with an extension")
            << Strings{"d"} << "txt" << Strings{"d/a.txt", "d/s/c.txt"};
        QTest::newRow("folder with * for every file")
            << Strings{"d/s"} << "*" << Strings{"d/s/c.txt"};
        QTest::newRow("files as they stand, extension or not")
            << Strings{"d/b.csv", "missing.txt", "d/~x.txt"} << "txt"
            << Strings{"d/b.csv", "missing.txt", "d/~x.txt"};
        QTest::newRow("mixed, in the given order")
            << Strings{"d/s", "d/b.csv"} << "-" << Strings{"d/s/c.txt", "d/b.csv"};
        QTest::newRow("nested: level by level, each folder's names case ignored")
            << Strings{"n"} << "-" << Strings{"n/a.txt",   "n/B.txt",     "n/A/y.txt",
                                              "n/b/z.txt", "n/A/k/v.txt", "n/a2/x/w.txt"};
        QTest::newRow("folder named with doubled separators: tidy paths")
            << Strings{"d//s"} << "-" << Strings{"d/s/c.txt"};
        // Links followed, a pipe and a link to nowhere left out, a hidden file taken only when
        // nobody may write to it or it is a link.
        QTest::newRow("links, a pipe and hidden files")
            << Strings{"l"} << "-"
            << Strings{"l/.link.txt", "l/.ro.txt", "l/to_file.txt", "l/to_folder/c.txt"};
    }
    void expansion() {
        QFETCH(Strings, paths);
        QFETCH(QString, extension);
        QFETCH(Strings, expected);
        TempTree tree;
        for (const char* name :
             {"d/a.txt", "d/b.csv", "d/noext", "d/~x.txt", "d/.h.txt", "d/s/c.txt", "n/B.txt",
              "n/a.txt", "n/b/z.txt", "n/A/y.txt", "n/A/k/v.txt", "n/a2/x/w.txt"}) {
            tree.file(name);
        }
        for (const char* name : {"l/.ro.txt", "l/.w.txt"})
            tree.file(name);
        tree.mode("l/.ro.txt", 0444);
        tree.link("l/to_file.txt", "../d/a.txt");
        tree.link("l/.link.txt", "../d/a.txt");
        tree.link("l/to_folder", "../d/s");
        tree.link("l/nowhere.txt", "missing.txt");
        QCOMPARE(::mkfifo(tree.path("l/pipe.txt").c_str(), 0644), 0);
        Strings full;
        for (const std::string& p : paths)
            full.push_back(tree.path(p));
        PosixFileSystem files;
        FakeErrorBox errors;
        InputPaths inputs(full, extension == "-" ? Strings{} : Strings{extension.toStdString()},
                          files, errors);
        Strings got;
        while (std::optional<std::string> path = inputs.next())
            got.push_back(*path);
        QCOMPARE(tree.relative(got), expected);
        QVERIFY(errors.reports.empty());
    }
};

QTEST_GUILESS_MAIN(InputPathsTest)
#include "test_input_paths.moc"
