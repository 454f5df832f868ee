// Removing rows: the Delete key (with or without Shift or Ctrl) and a double-click on the input
// list, a double-click on the result list, the busy-pointer guard, and "Clear List" of each list
// with its own rule.

#include <QPushButton>
#include <QtTest>

#include "report_list_view.h"
#include "support/table_types.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;

namespace {

Strings Rows(MainWindow& form, bool inputs) {
    if (inputs) return Strings(form.inputList().rows().begin(), form.inputList().rows().end());
    Strings rows;
    for (const PhoneNumber& n : form.resultList().rows())
        rows.push_back(n.str());
    return rows;
}

// Fills a list and waits until it shows every row: results are shown in batches.
void Fill(WindowFixture& f, bool inputs, const Strings& rows) {
    for (const std::string& r : rows) {
        inputs ? f.form->inputList().append(r) : f.form->resultList().append(PhoneNumber(r));
    }
    const char* list = inputs ? "inputList" : "resultList";
    QTRY_COMPARE(f.find<ReportListView>(list)->model()->rowCount(), int(rows.size()));
}

}  // namespace

class ListRemovalTest : public QObject {
    Q_OBJECT

  private slots:
    void keys_data() {
        QTest::addColumn<bool>("inputs");
        QTest::addColumn<int>("selected");  // -1: none
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<Strings>("expected");
        const Strings abc{"11111", "22222", "33333"};
        const int del = Qt::Key_Delete;
        QTest::newRow("Delete") << true << 1 << del << 0 << false << Strings{"11111", "33333"};
        QTest::newRow("Shift+Delete")
            << true << 0 << del << int(Qt::ShiftModifier) << false << Strings{"22222", "33333"};
        QTest::newRow("Ctrl+Delete")
            << true << 2 << del << int(Qt::ControlModifier) << false << Strings{"11111", "22222"};
        QTest::newRow("Backspace") << true << 1 << int(Qt::Key_Backspace) << 0 << false << abc;
        QTest::newRow("no row selected") << true << -1 << del << 0 << false << abc;
        QTest::newRow("busy pointer") << true << 1 << del << 0 << true << abc;
        QTest::newRow("results have no Delete key") << false << 1 << del << 0 << false << abc;
    }
    void keys() {
        QFETCH(bool, inputs);
        QFETCH(int, selected);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, busy);
        QFETCH(Strings, expected);
        WindowFixture f;
        MainWindow& form = f.show();
        Fill(f, inputs, {"11111", "22222", "33333"});
        auto* list = f.find<ReportListView>(inputs ? "inputList" : "resultList");
        list->selectRow(selected);
        if (busy) form.setPointer(kBusyPointer);
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Rows(form, inputs), expected);
        QVERIFY(f.boxes.notices.empty() && f.errors.reports.empty());
    }

    void doubleClick_data() {
        QTest::addColumn<bool>("inputs");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("busy");
        QTest::newRow("inputs") << true << 3 << false;
        QTest::newRow("inputs, busy") << true << 3 << true;
        QTest::newRow("inputs, empty") << true << 0 << false;
        QTest::newRow("results") << false << 3 << false;
        QTest::newRow("results, busy") << false << 3 << true;
        QTest::newRow("results, empty") << false << 0 << false;
    }
    void doubleClick() {
        QFETCH(bool, inputs);
        QFETCH(int, rows);
        QFETCH(bool, busy);
        WindowFixture f;
        MainWindow& form = f.show();
        const Strings all{"11111", "22222", "33333"};
        Fill(f, inputs, Strings(all.begin(), all.begin() + rows));
        if (busy) form.setPointer(kBusyPointer);
        auto* list = f.find<ReportListView>(inputs ? "inputList" : "resultList");
        const auto doubleClickSecondRow = [&] {
            const QRect row = list->visualRect(list->model()->index(1, 0));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               row.isValid() ? row.center() : list->viewport()->rect().center());
        };
        doubleClickSecondRow();
        const Strings unchanged(all.begin(), all.begin() + rows);
        QCOMPARE(Rows(form, inputs), (busy || rows == 0 ? unchanged : Strings{"11111", "33333"}));
        // Once the command has finished, the same double-click removes the row.
        if (busy) {
            form.setPointer(kDefaultPointer);
            doubleClickSecondRow();
            QCOMPARE(Rows(form, inputs), (Strings{"11111", "33333"}));
        }
    }

    // "Clear List" of the inputs waits for the busy pointer to go; that of the results does not.
    void clearLists_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("inputsLeft");
        QTest::addColumn<int>("resultsLeft");
        QTest::newRow("inputs") << "clearInputsButton" << false << 0 << 2;
        QTest::newRow("inputs, busy") << "clearInputsButton" << true << 2 << 2;
        QTest::newRow("results") << "clearResultsButton" << false << 2 << 0;
        QTest::newRow("results, busy") << "clearResultsButton" << true << 2 << 0;
    }
    void clearLists() {
        QFETCH(QString, button);
        QFETCH(bool, busy);
        QFETCH(int, inputsLeft);
        QFETCH(int, resultsLeft);
        WindowFixture f;
        MainWindow& form = f.show();
        Fill(f, true, {"/a", "/b"});
        Fill(f, false, {"11111", "22222"});
        if (busy) form.setPointer(kBusyPointer);
        f.find<QPushButton>(qPrintable(button))->click();
        f.find<QPushButton>(qPrintable(button))->click();  // again, on an empty list
        QCOMPARE(f.find<ReportListView>("inputList")->model()->rowCount(), inputsLeft);
        QCOMPARE(f.find<ReportListView>("resultList")->model()->rowCount(), resultsLeft);
        QCOMPARE(int(form.resultList().count()), resultsLeft);
        QVERIFY(f.boxes.notices.empty() && f.errors.reports.empty());
    }
};

QTEST_MAIN(ListRemovalTest)
#include "test_list_removal.moc"
