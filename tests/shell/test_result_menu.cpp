// The result list's context menu on the real view, over rows a run found: a right-click selects
// an unselected row first and keeps a selection it falls in, the menu key opens it too, and
// each entry acts on the selected rows.

#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "option_box.h"
#include "report_list_view.h"
#include "support/temp_files.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::TempFiles;
using tessaly::testing::WindowFixture;

namespace {

// The line the where-found window shows, its marked number in [ ].
QString MarkedLine(const QTextEdit* view) {
    QString line;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString text = fragment.fragment().text();
            const bool marked =
                fragment.fragment().charFormat().background().style() != Qt::NoBrush;
            line += marked ? "[" + text + "]" : text;
        }
    }
    return line;
}

}  // namespace

class ResultMenuTest : public QObject {
    Q_OBJECT

  private slots:
    // "open": "right N" a right-click on row N, "key" the menu key, "key CC boxes" after a run with
    // the number rules (country, e +E.164, s cut at blanks) over the file %e alone; "expected":
    // the clipboard, the folder opened or the window's texts, the marked number in [ ] when it
    // names one; %a, %b: the files, %d: their folder.
    void entries_data() {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::newRow("right-click selects the row under it") << QList<int>{0} << "right 2"
                                                              << "copyWithSourceAction"
                                                              << "%b:2:2125550100\n";
        QTest::newRow("right-click in the selection keeps it; list order")
            << QList<int>{2, 0} << "right 0"
            << "copyWithSourceAction"
            << "%a:1:8777984141\n%b:2:2125550100\n";
        QTest::newRow("menu key, numbers alone") << QList<int>{1, 0} << "key"
                                                 << "copyNumberAction"
                                                 << "8777984141\n5551234\n";
        // Ctrl+C copies every selected row as "Copy Number" does, not the current row alone.
        QTest::newRow("Ctrl+C, numbers alone") << QList<int>{2, 1} << "ctrl+c"
                                               << "copyNumberAction"
                                               << "5551234\n2125550100\n";
        QTest::newRow("containing folder") << QList<int>{1} << "key"
                                           << "openFolderAction"
                                           << "%d";
        QTest::newRow("where found") << QList<int>{2} << "key"
                                     << "showWhereFoundAction"
                                     << "%b|2|x 212-555-0100 y";
        // A document's line is a line of its text (the page attached as shown, not its tags),
        // with where in the document the number stands.
        QTest::newRow("where found in a document") << QList<int>{3} << "key"
                                                   << "showWhereFoundAction"
                                                   << "%c|5|Call 212-555-0177|attachment card.html";
        // A number written as +E.164, or cut from a run of several, is marked as the line
        // spells it.
        QTest::newRow("where found, +E.164 of a national spelling")
            << QList<int>{0} << "key US e"
            << "showWhereFoundAction"
            << "%e|1|Call [(212) 555-0147] now";
        QTest::newRow("where found, the second of a cut run")
            << QList<int>{2} << "key  s"
            << "showWhereFoundAction"
            << "%e|2|Pair: 212-555-0199 [212-555-0142] end";
    }
    void entries() {
        QFETCH(QList<int>, selected);
        QFETCH(QString, open);
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        TempFiles temp;
        WindowFixture f;
        MainWindow& form = f.show();
        f.find<QAbstractButton>("lengthBox7")
            ->click();  // 7 digits, beside the first start's 10, 11
        const std::string a = temp.write("a.txt", "877-798-4141 x 555-1234");
        const std::string b = temp.write("b.txt", "\r\nx 212-555-0100 y\r\n");
        const std::string c = temp.write(
            "c.eml",
            "From: a@example.com\r\nSubject: card\r\nMIME-Version: 1.0\r\n"
            "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
            "Content-Type: text/plain\r\n\r\nSee the card.\r\n--b\r\nContent-Type: text/html\r\n"
            "Content-Disposition: attachment; filename=\"card.html\"\r\n\r\n"
            "<p>Call <b>212</b>-555-0177</p>\r\n--b--\r\n");
        const std::string e =
            temp.write("e.txt", "Call (212) 555-0147 now\nPair: 212-555-0199 212-555-0142 end\n");
        const QStringList rules = open.split(' ');
        const bool ruled = open.startsWith("key ");
        if (ruled) {
            auto* country = f.find<QComboBox>("countryChoice");
            if (!rules[1].isEmpty()) country->setCurrentIndex(country->findData(rules[1]));
            if (rules[2].contains('e')) f.find<OptionBox>("e164Box")->click();
            if (rules[2].contains('s')) f.find<OptionBox>("splitBlanksBox")->click();
            form.inputList().append(e);
        } else {
            form.inputList().append(a);
            form.inputList().append(b);
            form.inputList().append(c);
        }
        f.find<QPushButton>("startButton")->click();
        if (!ruled) QCOMPARE(form.resultList().count(), std::size_t(4));

        auto* list = f.find<ReportListView>("resultList");
        for (const int row : selected) {
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        if (open.startsWith("right")) {
            const QPoint at =
                list->visualRect(list->model()->index(open.mid(6).toInt(), 0)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                    list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &event);
        } else if (open == "ctrl+c") {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        } else {
            list->setFocus();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(list, &event);
        }
        if (open != "ctrl+c") {
            auto* menu = f.find<QMenu>("resultMenu");
            QTRY_VERIFY(menu->isVisible());
            auto* action = menu->findChild<QAction*>(entry);
            QVERIFY(action->isEnabled());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }

        QString want = expected;
        want.replace("%a", QString::fromStdString(a)).replace("%b", QString::fromStdString(b));
        want.replace("%c", QString::fromStdString(c));
        want.replace("%d", QString::fromStdString(temp.folder()));
        want.replace("%e", QString::fromStdString(e));
        QString actual = QString::fromStdString(f.clipboard.text.value_or(""));
        if (entry == "openFolderAction")
            actual = QString::fromStdString(f.shell.folders.empty() ? "" : f.shell.folders[0]);
        if (entry == "showWhereFoundAction") {
            // The window opens at once; the line follows from the read off the window's thread.
            QVERIFY(f.form->findChild<QWidget*>("WhereFound"));
            QTRY_VERIFY(f.form->findChild<QWidget*>("LineText"));
            QVERIFY(!f.form->findChild<QWidget*>("ReadingText"));
            const auto text = [&](const char* name) {
                return f.find<QWidget>(name)
                    ->property(name == QString("LineText") ? "plainText" : "text")
                    .toString();
            };
            QString line = text("LineText");
            if (want.contains('[')) line = MarkedLine(f.find<QTextEdit>("LineText"));
            actual = text("PathText") + "|" + text("LineNumber") + "|" + line;
            if (f.form->findChild<QWidget*>("PlaceText")) actual += "|" + text("PlaceText");
        }
        QCOMPARE(actual, want);
        QVERIFY(f.errors.reports.empty());
    }
};

QTEST_MAIN(ResultMenuTest)
#include "test_result_menu.moc"
