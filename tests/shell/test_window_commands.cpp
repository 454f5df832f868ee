// The buttons under both lists reach their commands through the window's services: the result
// buttons save, copy and thin out the results under the window's own pointer; "Add File(s)",
// "Add All File(s) In Folder" and "Load Sample/Example Files" add rows; and start-up records the
// sample folder that the sample button then loads.

#include <QPushButton>
#include <QtTest>

#include "copy_results_command.h"
#include "option_box.h"
#include "support/table_types.h"
#include "support/temp_tree.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::TempTree;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;

namespace {

constexpr const char* kSavedAs = "/home/user/numbers";

Strings ResultRows(MainWindow& form) {
    Strings rows;
    for (const PhoneNumber& n : form.resultList().rows())
        rows.push_back(n.str());
    return rows;
}

Strings Sorted(Strings rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void resultButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("file");  // empty: nothing saved
        QTest::addColumn<QByteArray>("clipboard");
        QTest::addColumn<Strings>("rows");
        QTest::addColumn<bool>("busyMeanwhile");
        const Strings all{"8777984141", "5551234", "8777984141"};
        QTest::newRow("save as text file")
            << "saveTextButton"
            << QByteArray("Results   \t\r\n8777984141\t\r\n5551234   \t\r\n8777984141\t\r\n")
            << QByteArray() << all << true;
        QTest::newRow("Ctrl+S saves as text file")
            << "Ctrl+S"
            << QByteArray("Results   \t\r\n8777984141\t\r\n5551234   \t\r\n8777984141\t\r\n")
            << QByteArray() << all << true;
        QTest::newRow("save as comma delimited")
            << "saveCommaButton" << QByteArray("8777984141,\r\n5551234,\r\n8777984141\r\n")
            << QByteArray() << all << true;
        QTest::newRow("copy to clipboard")
            << "copyResultsButton" << QByteArray()
            << QByteArray("8777984141\n5551234\n8777984141\n") << all << false;
        QTest::newRow("Alt+D, the access key of comma delimited")
            << "Alt+D" << QByteArray("8777984141,\r\n5551234,\r\n8777984141\r\n") << QByteArray()
            << all << true;
        QTest::newRow("remove duplicates")
            << "removeDuplicatesButton" << QByteArray() << QByteArray()
            << Strings{"8777984141", "5551234"} << true;
    }
    void resultButtons() {
        QFETCH(QString, button);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, clipboard);
        QFETCH(Strings, rows);
        QFETCH(bool, busyMeanwhile);
        WindowFixture f;
        MainWindow& form = f.startFor(button);
        for (const char* n : {"8777984141", "5551234", "8777984141"})
            form.resultList().append(PhoneNumber(n));
        f.saveDialog.answer = kSavedAs;
        bool busySeen = false;
        f.loop.onYield = [&](int) { busySeen = busySeen || form.isBusy(); };

        f.press(button);

        QCOMPARE(ResultRows(form), rows);
        const bool saves = !file.isEmpty();
        QCOMPARE(f.saveDialog.titles, saves ? Strings{"Save"} : Strings{});
        QCOMPARE(QByteArray::fromStdString(f.fileWriter.files[kSavedAs]), file);
        QCOMPARE(f.clipboard.text.has_value(), !clipboard.isEmpty());
        if (f.clipboard.text) QCOMPARE(QByteArray::fromStdString(*f.clipboard.text), clipboard);
        QCOMPARE(f.boxes.notices,
                 clipboard.isEmpty() ? Strings{} : Strings{std::string(kCopiedNotice)});
        QCOMPARE(busySeen, busyMeanwhile);
        QVERIFY(!form.isBusy());
        QVERIFY(f.errors.reports.empty());
    }

    void inputButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>(
            "dataFolder");                  // where the samples are, below the temporary folder
        QTest::addColumn<Strings>("rows");  // below the temporary folder
        QTest::newRow("add files, two picked") << "addFilesButton"
                                               << "bin" << Strings{"docs/a.txt", "docs/b.doc"};
        QTest::newRow("Ctrl+O adds files") << "Ctrl+O"
                                           << "bin" << Strings{"docs/a.txt", "docs/b.doc"};
        // `tessaly FILE...`: a file as it stands, a folder with what lies below it.
        QTest::newRow("paths given at start") << "paths"
                                              << "bin" << Strings{"docs/a.txt", "docs/sub/c.txt"};
        QTest::newRow("folder import, txt, with a subfolder")
            << "addFolderButton"
            << "bin" << Strings{"docs/a.txt", "docs/sub/c.txt"};
        QTest::newRow("sample files recorded at start-up")
            << "samplesButton"
            << "bin" << Strings{"bin/Samples/one.txt", "bin/Samples/two.html"};
        QTest::newRow("sample files of an installation")
            << "samplesButton"
            << "share/tessaly"
            << Strings{"share/tessaly/Samples/one.txt", "share/tessaly/Samples/two.html"};
    }
    void inputButtons() {
        QFETCH(QString, button);
        QFETCH(QString, dataFolder);
        QFETCH(Strings, rows);
        WindowFixture f;
        const TempTree tree;
        tree.file("docs/a.txt", "877-798-4141");
        tree.file("docs/b.doc");
        tree.file("docs/sub/c.txt");
        tree.folder("bin");
        f.config.programFolder = tree.path("bin");
        tree.file(dataFolder.toStdString() + "/Samples/one.txt");
        tree.file(dataFolder.toStdString() + "/Samples/two.html");
        f.openFiles.pick(tree.path("docs"), {"a.txt", "b.doc"});
        f.textPrompt.answer = [](const std::string&) { return std::string("txt"); };
        f.folderChooser.answer = tree.path("docs");
        f.boxes.answers = {true};  // open the sample folder
        MainWindow& form = f.startFor(button);
        QVERIFY(!f.settings.readOr("Snapshot", "").empty());

        if (button == "paths") {
            form.addPaths({tree.path("docs/a.txt"), tree.path("docs/sub")});
        } else {
            f.press(button);
        }

        QCOMPARE(Sorted(tree.relative(
                     Strings(form.inputList().rows().begin(), form.inputList().rows().end()))),
                 rows);
        QVERIFY(!form.isBusy());
        QVERIFY(f.errors.reports.empty());
        if (button == "samplesButton") {
            QCOMPARE(f.boxes.questions.size(), std::size_t(1));
            QCOMPARE(f.shell.folders, Strings{tree.path(dataFolder.toStdString() + "/Samples/")});
            QVERIFY(f.find<OptionBox>("lengthBox10")->isChecked());
        }
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "test_window_commands.moc"
