// The input list on screen: files and folders dropped on it become rows (a folder walked with
// its subfolders), anything but a list of local files is refused; and a press, move and
// release of the mouse carries a row up or down, with the drag image as the list's pointer.

#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "report_list_view.h"
#include "support/table_types.h"
#include "support/temp_tree.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::TempTree;
using tessaly::testing::WindowFixture;

using Strings = std::vector<std::string>;

namespace {

Strings InputRows(MainWindow& form) {
    return Strings(form.inputList().rows().begin(), form.inputList().rows().end());
}

// The middle of row `row` (0-based) of the list's rows area.
QPoint RowCentre(ReportListView* list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

}  // namespace

class InputListEventsTest : public QObject {
    Q_OBJECT

  private slots:
    // Payloads: "file:<relative>" a local file or folder, "text:..." plain text, "url:..." a
    // remote address.
    void drops_data() {
        QTest::addColumn<Strings>("payload");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Strings>("rows");
        QTest::newRow("one file, kept as it stands")
            << Strings{"file:~draft.txt"} << true << Strings{"~draft.txt"};
        QTest::newRow("a folder, level by level")
            << Strings{"file:tree"} << true
            << Strings{"tree/top.txt", "tree/sub/deep.csv", "tree/sub/deeper/last.dat"};
        QTest::newRow("a file and a folder, in drop order")
            << Strings{"file:~draft.txt", "file:tree/sub/deeper"} << true
            << Strings{"~draft.txt", "tree/sub/deeper/last.dat"};
        QTest::newRow("text refused") << Strings{"text:877-798-4141"} << false << Strings{};
        QTest::newRow("remote address refused")
            << Strings{"url:https://example.com/list.txt"} << false << Strings{};
    }
    void drops() {
        QFETCH(Strings, payload);
        QFETCH(bool, accepted);
        QFETCH(Strings, rows);
        const TempTree tree;
        tree.file("~draft.txt");
        tree.file("tree/top.txt");
        tree.file("tree/~skipped.txt");
        tree.file("tree/sub/deep.csv");
        tree.file("tree/sub/deeper/last.dat");
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& item : payload) {
            const QString rest = QString::fromStdString(item.substr(item.find(':') + 1));
            if (item.starts_with("file:"))
                urls << QUrl::fromLocalFile(QString::fromStdString(tree.path(rest.toStdString())));
            if (item.starts_with("url:")) urls << QUrl(rest);
            if (item.starts_with("text:")) data.setText(rest);
        }
        if (!urls.isEmpty()) data.setUrls(urls);
        WindowFixture f;
        MainWindow& form = f.show();
        QWidget* area = f.find<ReportListView>("inputList")->viewport();
        const QPoint at = area->rect().center();

        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        QCOMPARE(move.isAccepted(), accepted);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &drop);
        QCOMPARE(drop.isAccepted(), accepted);

        // The rows come on the next pass of the event loop.
        QVERIFY(InputRows(form).empty());
        QTRY_COMPARE(tree.relative(InputRows(form)), rows);
        QTest::qWait(20);
        QCOMPARE(tree.relative(InputRows(form)), rows);
        QVERIFY(f.errors.reports.empty());
    }

    // Rows A B C D; the mouse goes down on `from` and passes over `over` before it is
    // released there.
    void reorder_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("over");
        QTest::addColumn<bool>("dragImage");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("selected");
        QTest::newRow("slowly down over two rows")
            << int(Qt::LeftButton) << 0 << QList<int>{1, 2} << true << "BCAD" << 2;
        QTest::newRow("jump from the first to the last row")
            << int(Qt::LeftButton) << 0 << QList<int>{3} << false << "DBCA" << 3;
        QTest::newRow("up again") << int(Qt::LeftButton) << 3 << QList<int>{2, 1} << false << "ADBC"
                                  << 1;
        QTest::newRow("right button carries too")
            << int(Qt::RightButton) << 1 << QList<int>{2} << false << "ACBD" << 2;
        QTest::newRow("back over itself")
            << int(Qt::LeftButton) << 1 << QList<int>{1} << false << "ABCD" << 1;
    }
    void reorder() {
        QFETCH(int, button);
        QFETCH(int, from);
        QFETCH(QList<int>, over);
        QFETCH(bool, dragImage);
        QFETCH(QString, rows);
        QFETCH(int, selected);
        WindowFixture f;
        if (dragImage) {
            QImage image(32, 32, QImage::Format_ARGB32);
            image.fill(Qt::blue);
            QVERIFY(image.save(QString::fromStdString(f.programPath("drag.ico")), "ico"));
        }
        MainWindow& form = f.show();
        for (const char* row : {"A", "B", "C", "D"})
            form.inputList().append(row);
        auto* list = f.find<ReportListView>("inputList");
        QWidget* area = list->viewport();
        const auto mouseButton = Qt::MouseButton(button);

        QTest::mousePress(area, mouseButton, {}, RowCentre(list, from));
        for (int row : over) {
            QTest::mouseMove(area, RowCentre(list, row));
            QCOMPARE(area->cursor().shape(), dragImage ? Qt::BitmapCursor : Qt::ClosedHandCursor);
        }
        QTest::mouseRelease(area, mouseButton, {}, RowCentre(list, over.back()));

        QString shown;
        for (const std::string& row : form.inputList().rows())
            shown += QString::fromStdString(row);
        QCOMPARE(shown, rows);
        QCOMPARE(list->selectedRow(), selected);
        QCOMPARE(area->cursor().shape(), Qt::ArrowCursor);
        // Once released, moving changes no row.
        const Strings released = InputRows(form);
        QTest::mouseMove(area, RowCentre(list, 0));
        QCOMPARE(InputRows(form), released);
    }

    // Row 1 of 25 carried slowly to the bottom edge and held there: resting moves no row, and
    // the carried row is the selected one.
    void restingAtTheBottomEdge() {
        WindowFixture f;
        MainWindow& form = f.show();
        Strings rows;
        for (int i = 1; i <= 25; ++i)
            rows.push_back(std::to_string(i));
        form.inputList().append(rows);
        auto* list = f.find<ReportListView>("inputList");
        QWidget* area = list->viewport();
        QTest::mousePress(area, Qt::LeftButton, {}, RowCentre(list, 0));
        for (int y = RowCentre(list, 0).y(); y < area->height() - 3; y += 2)
            QTest::mouseMove(area, QPoint(20, y));
        const Strings carried = InputRows(form);
        QTest::qWait(500);
        QCOMPARE(InputRows(form), carried);
        const auto at = std::find(carried.begin(), carried.end(), "1") - carried.begin();
        QVERIFY(at > 5);
        QCOMPARE(list->selectedRow(), int(at));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(20, area->height() - 3));
    }

    // The dragged row is gone once it is deleted or the list is cleared: a later press on
    // empty space and a move over the rows carry nothing.
    void removedDraggedRowIsNotCarried_data() {
        QTest::addColumn<bool>("clear");
        QTest::newRow("Delete key") << false;
        QTest::newRow("Clear List, rows added again") << true;
    }
    void removedDraggedRowIsNotCarried() {
        QFETCH(bool, clear);
        WindowFixture f;
        MainWindow& form = f.show();
        for (const char* row : {"A", "B", "C"})
            form.inputList().append(row);
        auto* list = f.find<ReportListView>("inputList");
        QWidget* area = list->viewport();
        QTest::mouseClick(area, Qt::LeftButton, {}, RowCentre(list, 1));
        if (clear) {
            f.find<QPushButton>("clearInputsButton")->click();
            form.inputList().append(Strings{"A", "C"});
        } else {
            QTest::keyClick(list, Qt::Key_Delete);
        }
        QCOMPARE(InputRows(form), (Strings{"A", "C"}));
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, area->height() - 5));
        QTest::mouseMove(area, RowCentre(list, 0));
        QCOMPARE(InputRows(form), (Strings{"A", "C"}));
        QTest::mouseRelease(area, Qt::LeftButton, {}, RowCentre(list, 0));
    }
};

QTEST_MAIN(InputListEventsTest)
#include "test_input_list_events.moc"
