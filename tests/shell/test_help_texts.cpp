// The "Help" and "?" texts with their exact line breaks, the formatting page, and the real
// boxes: their titles, icons and buttons, and every CR or CR LF shown as a line break.

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "qt_error_box.h"
#include "qt_message_boxes.h"
#include "support/table_types.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;

namespace {

const std::string kHelp =
    "If your text file contains:\r\r"
    "sample data 855-2880 sample data\r"
    "sample data 355.650.5551 sample data\r\r"
    "and you check 7 and 10, then\r\r"
    "8552880\r"
    "3556505551\r\r"
    "will be successfully extracted.\r\r"
    "In my opinion, the American default lengths are 7 and 10.\r\r"
    "Phone numbers should be separated by spaces in order for this software to work. Open your "
    "files in Notepad first to make sure this is true before using this software.\r\n\r\n"
    "If you need to format the results with a specific appearance (i.e. xxx-xxx-xxxx) please go "
    "to ";

// The formatting page's and the home page's addresses, filled in once the pages are in place.
const std::string kPage = "@PAGE@";
const std::string kHome = "@HOME@";

const std::string kAdvanced =
    "This feature allows you to extract certain numbers and ignore other ones based on "
    "non-number characters.\r\n\r\n"
    "For example, there is an phone number 877-798-4141 and an order number 1741483554 found in "
    "your text file. Both numbers have the length of 10 but you don't want to extract 1741483554 "
    "because it is an order number (not a phone number).\r\n\r\n"
    "If you only want to extract only the number 877-798-4141 and ignore 1741483554 than you can "
    "input the dash - character here.\r\n\r\n"
    "If you still don't understand this feature, leave it unchecked for now because it is an "
    "advanced feature.";

}  // namespace

class HelpTextsTest : public QObject {
    Q_OBJECT

  private slots:
    // Each works also while a long command shows the busy pointer. The formatting page is the
    // one of an installation's shared data folder.
    void texts_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Strings>("notices");
        QTest::addColumn<Strings>("addresses");
        QTest::newRow("Help") << "helpButton" << Strings{kHelp + kPage} << Strings{};
        QTest::newRow("?") << "advancedHelpButton" << Strings{kAdvanced} << Strings{};
        QTest::newRow("formatting page") << "formatButton" << Strings{} << Strings{kPage};
        QTest::newRow("formatting page, no browser")
            << "formatButton"
            << Strings{"No web browser could be started to show the formatting page. Open it in "
                       "one yourself: " +
                       kPage}
            << Strings{kPage};
        QTest::newRow("home page") << "F1" << Strings{} << Strings{kHome};
        QTest::newRow("home page, no browser")
            << "F1"
            << Strings{"No web browser could be started to show the home page. Open it in one "
                       "yourself: " +
                       kHome}
            << Strings{kHome};
        QTest::newRow("Help by its access key") << "Alt+H" << Strings{kHelp + kPage} << Strings{};
    }
    void texts() {
        QFETCH(QString, button);
        QFETCH(Strings, notices);
        QFETCH(Strings, addresses);
        WindowFixture f;
        const std::string page = f.sharedPath("format-numbers.html");
        const std::string home = f.sharedPath("home.html");
        QVERIFY(QFile(QString::fromStdString(page)).open(QIODevice::WriteOnly));
        QVERIFY(QFile(QString::fromStdString(home)).open(QIODevice::WriteOnly));
        for (Strings* texts : {&notices, &addresses}) {
            for (std::string& text : *texts) {
                for (const auto& [mark, path] : {std::pair{kPage, page}, std::pair{kHome, home}}) {
                    const std::size_t at = text.find(mark);
                    if (at != std::string::npos) text.replace(at, mark.size(), "file://" + path);
                }
            }
        }
        f.shell.succeed = !QByteArray(QTest::currentDataTag()).endsWith("no browser");
        f.startFor(button).setPointer(kBusyPointer);
        f.press(button);
        QCOMPARE(f.boxes.notices, notices);
        QCOMPARE(f.shell.addresses, addresses);
        QVERIFY(f.errors.reports.empty());
    }

    // The real boxes, answered as a user would.
    void realBoxes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("press");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("shown");
        QTest::newRow("notice, CR") << "notice" << QByteArray("a\rb") << int(QMessageBox::Ok)
                                    << "Tessaly" << int(QMessageBox::NoIcon) << "a\nb";
        QTest::newRow("question Yes, CR LF")
            << "question" << QByteArray("a\r\n\r\nb") << int(QMessageBox::Yes) << "Tessaly"
            << int(QMessageBox::NoIcon) << "a\n\nb";
        QTest::newRow("question No, markup stays text")
            << "question" << QByteArray("<b>x</b>") << int(QMessageBox::No) << "Tessaly"
            << int(QMessageBox::NoIcon) << "<b>x</b>";
        QTest::newRow("error report, CR CR")
            << "report" << QByteArray("a\r\nin x\r\rb") << int(QMessageBox::Ok)
            << "Application Error" << int(QMessageBox::Warning) << "a\nin x\n\nb";
    }
    void realBoxes() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, text);
        QFETCH(int, press);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QString, shown);
        QWidget owner;
        QtMessageBoxes boxes;
        boxes.setOwner(&owner, [] { return QString("Tessaly"); });
        QtErrorBox errors;
        errors.setOwner(&owner);
        QMessageBox* seen = nullptr;
        QList<QAbstractButton*> buttons;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!seen) return;
            QCOMPARE(seen->windowTitle(), title);
            QCOMPARE(int(seen->icon()), icon);
            QCOMPARE(seen->textFormat(), Qt::PlainText);
            QCOMPARE(seen->text(), shown);
            QCOMPARE(seen->parentWidget(), &owner);
            buttons = seen->buttons();
            seen->button(QMessageBox::StandardButton(press))->click();
        });
        bool answer = false;
        if (kind == "notice") boxes.showNotice(text.toStdString());
        if (kind == "question") answer = boxes.askYesNo(text.toStdString());
        if (kind == "report") errors.showErrorReport(text.toStdString());
        QVERIFY(seen);
        QCOMPARE(buttons.size(), kind == "question" ? 2 : 1);
        QCOMPARE(answer, press == QMessageBox::Yes);
    }
};

QTEST_MAIN(HelpTextsTest)
#include "test_help_texts.moc"
