// Removing rows: the Delete key (with or without Shift or Ctrl) and a double-click on the input
// list, a double-click on the result list, the busy-pointer guard, and "Clear List" of each list
// with its own rule.

#include <QPushButton>
#include <QtTest>

#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;
Q_DECLARE_METATYPE(Strings)

namespace {

Strings InputRows(Form1& form) {
    return Strings(form.inputList().rows().begin(), form.inputList().rows().end());
}

Strings ResultRows(Form1& form) {
    Strings rows;
    for (const PhoneNumber& n : form.resultList().rows()) rows.push_back(n.str());
    return rows;
}

void FillInputs(Form1& form, const Strings& rows) {
    for (const std::string& r : rows) form.inputList().append(r);
}

void FillResults(Form1& form, const Strings& rows) {
    for (const std::string& r : rows) form.resultList().append(PhoneNumber(r));
}

void DoubleClickRow(ReportListView* list, int row) {
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

class ListRemovalTest : public QObject {
    Q_OBJECT

private slots:
    void deleteKeyOnInputs_data() {
        QTest::addColumn<Strings>("rows");
        QTest::addColumn<int>("selected");  // -1: none
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<Strings>("expected");
        const Strings abc{"/a", "/b", "/c"};
        QTest::newRow("Delete removes the selected row")
            << abc << 1 << int(Qt::Key_Delete) << 0 << false << Strings{"/a", "/c"};
        QTest::newRow("Shift+Delete too") << abc << 0 << int(Qt::Key_Delete)
                                          << int(Qt::ShiftModifier) << false << Strings{"/b", "/c"};
        QTest::newRow("Ctrl+Delete too") << abc << 2 << int(Qt::Key_Delete)
                                         << int(Qt::ControlModifier) << false << Strings{"/a", "/b"};
        QTest::newRow("Backspace removes nothing")
            << abc << 1 << int(Qt::Key_Backspace) << 0 << false << abc;
        QTest::newRow("no row selected") << abc << -1 << int(Qt::Key_Delete) << 0 << false << abc;
        QTest::newRow("busy pointer shown") << abc << 1 << int(Qt::Key_Delete) << 0 << true << abc;
        QTest::newRow("empty list") << Strings{} << -1 << int(Qt::Key_Delete) << 0 << false
                                    << Strings{};
        QTest::newRow("last row leaves an empty list")
            << Strings{"/a"} << 0 << int(Qt::Key_Delete) << 0 << false << Strings{};
        QTest::newRow("one of two equal rows")
            << Strings{"/same", "/same"} << 0 << int(Qt::Key_Delete) << 0 << false
            << Strings{"/same"};
    }
    void deleteKeyOnInputs() {
        QFETCH(Strings, rows);
        QFETCH(int, selected);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, busy);
        QFETCH(Strings, expected);
        WindowFixture f;
        Form1& form = f.show();
        FillInputs(form, rows);
        auto* list = f.find<ReportListView>("ListView1");
        list->selectRow(selected);
        if (busy) form.setPointer(kBusyPointer);
        QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(InputRows(form), expected);
        QVERIFY(f.boxes.notices.empty());
        QVERIFY(f.errors.reports.empty());
        QCOMPARE(list->model()->columnCount(), 1);
    }

    // The row that moves into the removed row's place is selected, so Delete goes on down.
    void deleteTwiceRemovesTwoRows() {
        WindowFixture f;
        Form1& form = f.show();
        FillInputs(form, {"/a", "/b", "/c", "/d"});
        auto* list = f.find<ReportListView>("ListView1");
        list->selectRow(1);
        QTest::keyClick(list, Qt::Key_Delete);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(InputRows(form), (Strings{"/a", "/d"}));
        QCOMPARE(list->selectedRow(), 1);
    }

    void doubleClick_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("input row 2 of 3") << "ListView1" << false << Strings{"11111", "33333"};
        QTest::newRow("input list, busy") << "ListView1" << true
                                          << Strings{"11111", "22222", "33333"};
        QTest::newRow("result row 2 of 3") << "ListView2" << false << Strings{"11111", "33333"};
        QTest::newRow("result list, busy") << "ListView2" << true
                                           << Strings{"11111", "22222", "33333"};
    }
    void doubleClick() {
        QFETCH(QString, list);
        QFETCH(bool, busy);
        QFETCH(Strings, expected);
        WindowFixture f;
        Form1& form = f.show();
        const Strings rows{"11111", "22222", "33333"};
        const bool inputs = list == "ListView1";
        inputs ? FillInputs(form, rows) : FillResults(form, rows);
        if (busy) form.setPointer(kBusyPointer);
        DoubleClickRow(f.find<ReportListView>(qPrintable(list)), 1);
        QCOMPARE(inputs ? InputRows(form) : ResultRows(form), expected);
        // The same double-click once the command has finished removes the row.
        if (busy) {
            form.setPointer(kDefaultPointer);
            DoubleClickRow(f.find<ReportListView>(qPrintable(list)), 1);
            QCOMPARE(inputs ? InputRows(form) : ResultRows(form), (Strings{"11111", "33333"}));
        }
    }

    void doubleClickOnEmptyLists_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("inputs") << "ListView1";
        QTest::newRow("results") << "ListView2";
    }
    void doubleClickOnEmptyLists() {
        QFETCH(QString, list);
        WindowFixture f;
        f.show();
        auto* view = f.find<ReportListView>(qPrintable(list));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->viewport()->rect().center());
        QVERIFY(f.form->inputList().empty());
        QVERIFY(f.form->resultList().empty());
        QVERIFY(f.errors.reports.empty());
    }

    // The result list has no Delete key: only a double-click removes one of its rows.
    void deleteKeyLeavesResults() {
        WindowFixture f;
        Form1& form = f.show();
        FillResults(form, {"11111", "22222"});
        auto* list = f.find<ReportListView>("ListView2");
        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(ResultRows(form), (Strings{"11111", "22222"}));
    }

    // "Clear List" of the inputs waits for the busy pointer to go; that of the results does not.
    void clearLists_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("inputsLeft");
        QTest::addColumn<int>("resultsLeft");
        QTest::newRow("inputs") << "PushButton3" << false << 0 << 2;
        QTest::newRow("inputs, busy") << "PushButton3" << true << 2 << 2;
        QTest::newRow("results") << "PushButton9" << false << 2 << 0;
        QTest::newRow("results, busy") << "PushButton9" << true << 2 << 0;
    }
    void clearLists() {
        QFETCH(QString, button);
        QFETCH(bool, busy);
        QFETCH(int, inputsLeft);
        QFETCH(int, resultsLeft);
        WindowFixture f;
        Form1& form = f.show();
        FillInputs(form, {"/a", "/b"});
        FillResults(form, {"11111", "22222"});
        if (busy) form.setPointer(kBusyPointer);
        f.find<QPushButton>(qPrintable(button))->click();
        QCOMPARE(int(form.inputList().count()), inputsLeft);
        QCOMPARE(int(form.resultList().count()), resultsLeft);
        QCOMPARE(f.find<ReportListView>("ListView1")->model()->rowCount(), inputsLeft);
        QCOMPARE(f.find<ReportListView>("ListView2")->model()->rowCount(), resultsLeft);
        QVERIFY(f.boxes.notices.empty());
        // Clearing an empty list is harmless.
        f.find<QPushButton>(qPrintable(button))->click();
        QVERIFY(f.errors.reports.empty());
    }
};

QTEST_MAIN(ListRemovalTest)
#include "test_list_removal.moc"
