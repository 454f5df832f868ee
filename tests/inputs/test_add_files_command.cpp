// "Add File(s)": the dialog as it is asked for, the rows a selection gives, and the refusal of
// a selection too large for the dialog's result.

#include <QtTest>

#include <string>
#include <vector>

#include "add_files_command.h"
#include "error_report.h"
#include "support/fake_error_box.h"
#include "support/fake_message_boxes.h"
#include "support/fake_open_files_dialog.h"
#include "support/table_types.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

struct Fixture {
    Strings rows() const { return Strings(list.rows().begin(), list.rows().end()); }

    InputList list;
    FakeOpenFilesDialog dialog;
    FakeMessageBoxes boxes;
    FakeErrorBox errors;
    AddFilesCommand command{list, dialog, boxes, errors};
};

// `count` names of equal length whose result text in `folder` has exactly `length` characters.
Strings NamesFilling(const std::string& folder, std::size_t count, std::size_t length) {
    const std::size_t room = length - folder.size() - count;  // less one NUL per name
    Strings names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(std::string(room / count + (i < room % count ? 1 : 0), 'n'));
        names.back().back() = char('a' + i % 26);
    }
    return names;
}

}  // namespace

class AddFilesCommandTest : public QObject {
    Q_OBJECT

  private slots:
    void dialogIsAskedAsTheButtonNeeds() {
        Fixture f;
        f.command.run();
        QCOMPARE(f.dialog.requests.size(), std::size_t(1));
        const OpenFilesRequest& request = f.dialog.requests.front();
        QCOMPARE(request.title, std::string("Add File(s) - Hold Ctrl to select multiple files"));
        QCOMPARE(request.filter, std::string("All Files (*.*)|*.*|"));
        QVERIFY(request.multiSelect);
        QCOMPARE(request.resultLimit, std::size_t(30000));
    }

    // The picks as folder and names (one name: a single file), the rows already there, and
    // the list afterwards.
    void rowsFromASelection_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<Strings>("names");
        QTest::addColumn<Strings>("before");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("one file exactly as given")
            << "/data//old" << Strings{"a.txt"} << Strings{} << Strings{"/data//old/a.txt"};
        QTest::newRow("three files in the dialog's order")
            << "/data" << Strings{"c.txt", "a.txt", "b"} << Strings{}
            << Strings{"/data/c.txt", "/data/a.txt", "/data/b"};
        QTest::newRow("several in the root folder")
            << "/" << Strings{"x", "y"} << Strings{} << Strings{"/x", "/y"};
        QTest::newRow("a file already listed comes again")
            << "/data" << Strings{"a.txt", "b.txt"} << Strings{"/data/a.txt"}
            << Strings{"/data/a.txt", "/data/a.txt", "/data/b.txt"};
        QTest::newRow("cancel") << "" << Strings{} << Strings{"/kept"} << Strings{"/kept"};
    }
    void rowsFromASelection() {
        QFETCH(QString, folder);
        QFETCH(Strings, names);
        QFETCH(Strings, before);
        QFETCH(Strings, expected);
        Fixture f;
        for (const std::string& row : before)
            f.list.append(row);
        if (!names.empty()) f.dialog.pick(folder.toStdString(), names);
        f.command.run();
        QCOMPARE(f.rows(), expected);
        QVERIFY(f.boxes.notices.empty());
        QVERIFY(f.errors.reports.empty());
    }

    // The result text may fill the 30000 characters; one more refuses the whole selection.
    void resultLimit_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("refused");
        QTest::newRow("exactly 30000") << 30000 << false;
        QTest::newRow("30001") << 30001 << true;
    }
    void resultLimit() {
        QFETCH(int, length);
        QFETCH(bool, refused);
        Fixture f;
        f.list.append("/kept");
        const std::string folder = "/home/ann/many";
        const Strings names = NamesFilling(folder, 700, std::size_t(length));
        f.dialog.pick(folder, names);
        QCOMPARE(OpenFilesResultText(folder, names).size(), std::size_t(length));
        f.command.run();
        if (refused) {
            QCOMPARE(f.boxes.notices,
                     (Strings{"You've selected too many files to add.\r\rPlease try adding via the "
                              "\"Add All\" button."}));
            QCOMPARE(f.list.count(), std::size_t(1));
        } else {
            QVERIFY(f.boxes.notices.empty());
            QCOMPARE(f.list.count(), std::size_t(701));
        }
    }

    // The limit counts characters as the dialog does: a character beyond the basic plane
    // takes two, an accented letter one.
    void resultLength_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("length");
        QTest::newRow("ascii with NULs") << QByteArray("/d\0a\0b", 6) << 6;
        QTest::newRow("accented letter") << QByteArray("/caf\xc3\xa9") << 5;
        QTest::newRow("beyond the basic plane") << QByteArray("/\xf0\x9f\x93\x9e") << 3;
    }
    void resultLength() {
        QFETCH(QByteArray, text);
        QFETCH(int, length);
        QCOMPARE(OpenFilesResultLength(std::string_view(text.constData(), text.size())),
                 std::size_t(length));
    }

    void dialogFailureIsReported() {
        Fixture f;
        f.dialog.failure = "The dialog could not be shown";
        f.command.run();
        QCOMPARE(f.errors.reports, (Strings{ErrorReportText("The dialog could not be shown",
                                                            AddFilesCommand::kProcedure, 108)}));
        QCOMPARE(f.list.count(), std::size_t(0));
    }
};

QTEST_APPLESS_MAIN(AddFilesCommandTest)
#include "test_add_files_command.moc"
