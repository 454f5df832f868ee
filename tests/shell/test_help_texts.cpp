// The "Help" and "?" texts with their exact line breaks, the formatting page, and how the boxes
// put those breaks on screen.

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "product.h"
#include "qt_error_box.h"
#include "qt_message_boxes.h"
#include "qt_message_text.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)

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
    "to https://tessaly.example/format-numbers";

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
    void texts_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Strings>("notices");
        QTest::addColumn<Strings>("addresses");
        QTest::newRow("Help") << "PushButton5" << Strings{kHelp} << Strings{};
        QTest::newRow("?") << "PushButton13" << Strings{kAdvanced} << Strings{};
        QTest::newRow("Format Phone Number Results")
            << "PushButton10" << Strings{} << Strings{"https://tessaly.example/format-numbers"};
    }
    void texts() {
        QFETCH(QString, button);
        QFETCH(Strings, notices);
        QFETCH(Strings, addresses);
        WindowFixture f;
        f.start();
        f.find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(f.boxes.notices, notices);
        QCOMPARE(f.shell.addresses, addresses);
        QVERIFY(f.errors.reports.empty());
    }

    // Help stays usable while a long command shows the busy pointer.
    void helpDuringBusyPointer() {
        WindowFixture f;
        f.start().setPointer(kBusyPointer);
        f.find<QPushButton>("PushButton5")->click();
        QCOMPARE(f.boxes.notices, Strings{kHelp});
        QCOMPARE(f.form->pointer(), int(kBusyPointer));
    }

    // A failure while showing a text is reported at label 100 of its handler.
    void failingBoxIsReported_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("procedure");
        QTest::newRow("Help") << "PushButton5" << "Corvalin2021/08/31.Form1.PushButton5_Click";
        QTest::newRow("?") << "PushButton13" << "Corvalin2021/08/31.Form1.PushButton13_Click";
    }
    void failingBoxIsReported() {
        QFETCH(QString, button);
        QFETCH(QString, procedure);
        WindowFixture f;
        f.start();
        f.boxes.onShow = [] { throw std::runtime_error("Out of memory"); };
        f.find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(f.errors.reports,
                 Strings{"Out of memory\r\nin " + procedure.toStdString() +
                         " at line 100\r\rPlease email screenshot of this message to " +
                         std::string(kSupportAddress)});
    }

    // CR LF and a lone CR each become one line break on screen; nothing else changes.
    void displayText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lone CR") << QByteArray("a\rb") << "a\nb";
        QTest::newRow("CR LF") << QByteArray("a\r\nb") << "a\nb";
        QTest::newRow("CR CR is an empty line") << QByteArray("a\r\rb") << "a\n\nb";
        QTest::newRow("CR LF CR LF") << QByteArray("a\r\n\r\nb") << "a\n\nb";
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << "a\n\nb";
        QTest::newRow("trailing CR") << QByteArray("a\r") << "a\n";
        QTest::newRow("markup stays text") << QByteArray("<b>x</b>") << "<b>x</b>";
        QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("caf\xc3\xa9");
    }
    void displayText() {
        QFETCH(QByteArray, text);
        QFETCH(QString, shown);
        QCOMPARE(MessageDisplayText(text.toStdString()), shown);
    }

    // The boxes as the program shows them: notices with OK only and no icon, questions with
    // Yes and No, the error report with its own title and the exclamation icon.
    void boxes_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::newRow("notice") << "notice" << "Tessaly" << int(QMessageBox::NoIcon)
                                << int(QMessageBox::Ok);
        QTest::newRow("question") << "question" << "Tessaly" << int(QMessageBox::NoIcon)
                                  << int(QMessageBox::Yes | QMessageBox::No);
        QTest::newRow("error report") << "report" << "Application Error"
                                      << int(QMessageBox::Warning) << int(QMessageBox::Ok);
    }
    void boxes() {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        std::unique_ptr<QMessageBox> box =
            kind == "notice"     ? QtMessageBoxes::MakeNotice(nullptr, "Tessaly", kHelp)
            : kind == "question" ? QtMessageBoxes::MakeQuestion(nullptr, "Tessaly", kHelp)
                                 : QtErrorBox::MakeReport(nullptr, kHelp);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(int(box->standardButtons()), buttons);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text().count('\n'), 16);
        QVERIFY(!box->text().contains('\r'));
        QVERIFY(box->text().startsWith("If your text file contains:\n\nsample data 855-2880"));
    }
};

QTEST_MAIN(HelpTextsTest)
#include "test_help_texts.moc"
