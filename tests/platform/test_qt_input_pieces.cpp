// The Qt pieces that fill the input list: the file list of a drag, the open-file dialog's
// filter and result, the folder chooser's preselection, and the settings keeping the sample
// record's characters.

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "qt_dropped_paths.h"
#include "qt_folder_chooser.h"
#include "qt_open_files_dialog.h"
#include "qt_settings_store.h"
#include "support/table_types.h"

using namespace tessaly;

using Strings = std::vector<std::string>;

class QtInputPiecesTest : public QObject {
    Q_OBJECT

  private slots:
    // "urls": file URLs and others; "text": a text payload as well.
    void droppedPaths_data() {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<bool>("withText");
        QTest::addColumn<Strings>("expected");  // {"-"}: no file list
        QTest::newRow("files and folders in the source's order")
            << QStringList{"file:///tmp/b.txt", "file:///tmp/dir", "file:///a%20b.txt"} << false
            << Strings{"/tmp/b.txt", "/tmp/dir", "/a b.txt"};
        QTest::newRow("text only") << QStringList{} << true << Strings{"-"};
        QTest::newRow("web address only")
            << QStringList{"https://example.org/x.txt"} << true << Strings{"-"};
        QTest::newRow("files among web addresses")
            << QStringList{"https://example.org/", "file:///tmp/c.txt"} << false
            << Strings{"/tmp/c.txt"};
        QTest::newRow("accented name as UTF-8 bytes")
            << QStringList{"file:///tmp/caf%C3%A9"} << false << Strings{"/tmp/caf\xc3\xa9"};
        QTest::newRow("bytes that are no UTF-8, as they are")
            << QStringList{"file:///tmp/n%FF%FE.txt", "file:///tmp/%80"} << false
            << Strings{"/tmp/n\xff\xfe.txt", "/tmp/\x80"};
        QTest::newRow("another computer's file is left out")
            << QStringList{"file://otherhost/etc/passwd", "file:///tmp/c.txt"} << false
            << Strings{"/tmp/c.txt"};
        QTest::newRow("this computer by name")
            << QStringList{"file://localhost/tmp/d.txt"} << false << Strings{"/tmp/d.txt"};
        QTest::newRow("an escaped NUL names no file")
            << QStringList{"file:///tmp/a%00b"} << false << Strings{"-"};
        QTest::newRow("other schemes only")
            << QStringList{"ftp://example.org/a.txt", "smb://server/share/b.txt",
                           "mailto:someone@example.org", "data:text/plain,555-0100"}
            << false << Strings{"-"};
        QStringList many;
        Strings manyPaths;
        for (int i = 0; i < 5000; ++i) {
            many << QStringLiteral("file:///data/file%1.txt").arg(i);
            manyPaths.push_back("/data/file" + std::to_string(i) + ".txt");
        }
        QTest::newRow("five thousand files in order") << many << false << manyPaths;
    }
    void droppedPaths() {
        QFETCH(QStringList, urls);
        QFETCH(bool, withText);
        QFETCH(Strings, expected);
        QMimeData data;
        QList<QUrl> list;
        for (const QString& url : urls)
            list << QUrl(url);
        if (!list.isEmpty()) data.setUrls(list);
        if (withText) data.setText(QStringLiteral("555-0100"));
        const std::optional<Strings> paths = DroppedFilePaths(&data);
        if (expected == Strings{"-"}) {
            QVERIFY(!paths.has_value());
        } else {
            QCOMPARE(paths, std::optional<Strings>(expected));
        }
    }

    // The filter shows its text as given and lets every name through for "*.*".
    void openDialogFilter() {
        OpenFilesRequest request{"Add File(s) - Hold Ctrl to select multiple files",
                                 "All Files (*.*)|*.*|", true, 30000};
        QCOMPARE(QtOpenFilesDialog::NameFilters(request.filter),
                 QStringList{QStringLiteral("All Files (*.*) (*)")});
        QTemporaryDir dir;
        for (const char* name : {"README", "a.txt"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        auto dialog = QtOpenFilesDialog::MakeDialog(nullptr, request, dir.path());
        QCOMPARE(dialog->windowTitle(), QString::fromStdString(request.title));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
        QCOMPARE(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
        QCOMPARE(dialog->findChild<QComboBox*>("fileTypeCombo")->itemText(0),
                 QStringLiteral("All Files (*.*)"));
        QDir shown(dir.path());
        shown.setNameFilters(dialog->nameFilters().front().section('(', -1).chopped(1).split(' '));
        QCOMPARE(shown.entryList(QDir::Files, QDir::Name), (QStringList{"README", "a.txt"}));
    }

    void openDialogResult_data() {
        QTest::addColumn<QStringList>("picked");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("one file: its full path")
            << QStringList{"/data/a.txt"} << QByteArray("/data/a.txt");
        QTest::newRow("several: folder and names")
            << QStringList{"/data/b.txt", "/data/a.txt"} << QByteArray("/data\0b.txt\0a.txt", 17);
        QTest::newRow("several in the root folder")
            << QStringList{"/x", "/y"} << QByteArray("/\0x\0y", 5);
        QTest::newRow("names from two folders")
            << QStringList{"/data/one/a", "/data/two/b"} << QByteArray("/data\0one/a\0two/b", 17);
        QTest::newRow("nothing picked") << QStringList{} << QByteArray();
    }
    void openDialogResult() {
        QFETCH(QStringList, picked);
        QFETCH(QByteArray, expected);
        const OpenFilesChoice choice = QtOpenFilesDialog::ChoiceFor(picked, 30000);
        QVERIFY(!choice.bufferTooSmall);
        QCOMPARE(QByteArray::fromStdString(choice.resultText), expected);
    }

    void openDialogResultTooLarge() {
        QStringList picked;
        for (int i = 0; i < 3000; ++i)
            picked << QStringLiteral("/data/file-%1.txt").arg(i, 4, 10, QLatin1Char('0'));
        const OpenFilesChoice choice = QtOpenFilesDialog::ChoiceFor(picked, 30000);
        QVERIFY(choice.bufferTooSmall);
        QVERIFY(choice.resultText.empty());
    }

    // Names that are no text come to the dialogs with U+FFFD in them. The bytes on the disk are
    // found when only one entry looks like that; otherwise nothing is taken, never another file.
    void namesThatAreNoText_data() {
        QTest::addColumn<Strings>("entries");         // on the disk, below a temporary folder
        QTest::addColumn<QString>("picked");          // as the dialog shows it
        QTest::addColumn<QByteArray>("expected");     // the file taken; empty: none
        QTest::addColumn<QByteArray>("folderTaken");  // the picked file's folder, as chosen
        const QString shown = QStringLiteral("n\uFFFD.txt");
        QTest::newRow("the one file of that look")
            << Strings{"n\xFF.txt"} << shown << QByteArray("n\xFF.txt") << QByteArray("");
        QTest::newRow("two look-alikes")
            << Strings{"n\xFF.txt", "n\xFE.txt"} << shown << QByteArray() << QByteArray("");
        QTest::newRow("a look-alike that is text")
            << Strings{"n\xFF.txt", "n\xEF\xBF\xBD.txt"} << shown << QByteArray() << QByteArray("");
        QTest::newRow("nothing of that look")
            << Strings{"other"} << shown << QByteArray() << QByteArray("");
        QTest::newRow("in a folder whose name is no text")
            << Strings{"d\xFF/a.txt"} << QStringLiteral("d\uFFFD/a.txt")
            << QByteArray("d\xFF/a.txt") << QByteArray("d\xFF");
        QTest::newRow("in one of two look-alike folders")
            << Strings{"d\xFF/a.txt", "d\xFE/a.txt"} << QStringLiteral("d\uFFFD/a.txt")
            << QByteArray() << QByteArray();
    }
    void namesThatAreNoText() {
        QFETCH(Strings, entries);
        QFETCH(QString, picked);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, folderTaken);
        QTemporaryDir dir;
        const std::string root = QFile::encodeName(dir.path()).toStdString();
        auto under = [&](const QByteArray& relative) {
            return relative.isEmpty() ? root : root + "/" + relative.toStdString();
        };
        for (const std::string& entry : entries) {
            const std::filesystem::path p = root + "/" + entry;
            std::filesystem::create_directories(p.parent_path());
            std::ofstream(p) << "555-1234";
        }
        const QString full = dir.path() + QLatin1Char('/') + picked;
        QCOMPARE(QtOpenFilesDialog::ChoiceFor({full}, 30000).resultText,
                 expected.isEmpty() ? std::string() : under(expected));
        QCOMPARE(QtFolderChooser::ChosenPath(QFileInfo(full).absolutePath()),
                 folderTaken.isNull() ? std::string() : under(folderTaken));
        for (const std::string& entry : entries)  // the temporary folder cannot remove them
            std::filesystem::remove_all(root + "/" + entry.substr(0, entry.find('/')));
    }

    // The chooser opens on the parent with the last folder selected; the root opens on itself.
    void folderChooserPreselection_data() {
        QTest::addColumn<QString>("initial");  // relative to a temporary folder; "/" the root
        QTest::addColumn<QString>("expectedDirectory");
        QTest::addColumn<QString>("expectedSelection");
        QTest::newRow("last folder") << "inner"
                                     << ""
                                     << "inner";
        QTest::newRow("root folder") << "/"
                                     << "/"
                                     << "";
    }
    void folderChooserPreselection() {
        QFETCH(QString, initial);
        QFETCH(QString, expectedDirectory);
        QFETCH(QString, expectedSelection);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("inner")));
        const QString full = initial == "/" ? initial : dir.filePath(initial);
        auto chooser =
            QtFolderChooser::MakeChooser(nullptr, "Please select folder:", full.toStdString());
        QCOMPARE(chooser->windowTitle(), QStringLiteral("Please select folder:"));
        QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
        const QString directory = expectedDirectory.isEmpty() ? dir.path() : expectedDirectory;
        QCOMPARE(chooser->directory().absolutePath(), QDir(directory).absolutePath());
        if (!expectedSelection.isEmpty()) {
            QCOMPARE(chooser->findChild<QLineEdit*>("fileNameEdit")->text(), expectedSelection);
        }
    }

    // The sample record is stored as characters 1 to 255; the settings file keeps each.
    void settingsKeepRecordCharacters() {
        QTemporaryDir dir;
        QString text;
        for (int c = 1; c <= 255; ++c)
            text += QChar(c);
        const std::string stored = text.toStdString();
        const QString file = dir.filePath(QStringLiteral("settings.ini"));
        QtSettingsStore(file).write("Snapshot", stored);
        QCOMPARE(QtSettingsStore(file).read("Snapshot"), std::optional<std::string>(stored));
    }
};

QTEST_MAIN(QtInputPiecesTest)
#include "test_qt_input_pieces.moc"
