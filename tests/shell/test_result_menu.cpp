// The result list's context menu on the real view, over rows a run found: a right-click selects
// an unselected row first and keeps a selection it falls in, the menu key opens it too, and
// each entry acts on the selected rows.

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "report_list_view.h"
#include "support/temp_files.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::TempFiles;
using tessaly::testing::WindowFixture;

class ResultMenuTest : public QObject {
    Q_OBJECT

  private slots:
    // "open": "right N" a right-click on row N, "key" the menu key; "expected": the clipboard, the
    // folder opened or the window's texts; %a, %b: the files, %d: their folder.
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
        form.inputList().append(a);
        form.inputList().append(b);
        form.inputList().append(c);
        f.find<QPushButton>("startButton")->click();
        QCOMPARE(form.resultList().count(), std::size_t(4));

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
            actual = text("PathText") + "|" + text("LineNumber") + "|" + text("LineText");
            if (f.form->findChild<QWidget*>("PlaceText")) actual += "|" + text("PlaceText");
        }
        QCOMPARE(actual, want);
        QVERIFY(f.errors.reports.empty());
    }
};

QTEST_MAIN(ResultMenuTest)
#include "test_result_menu.moc"
