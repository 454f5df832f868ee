// Reordering the input list by dragging: the swap rule, the rows it leaves alone, the pointers,
// scrolling at the edges of the visible rows, and a carried row that is removed.

#include <QtTest>

#include <string>
#include <vector>

#include "row_drag_reorder.h"
#include "support/fake_window_pointer.h"
#include "support/table_types.h"

using namespace tessaly;
using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

constexpr int kRowHeight = 20;

// Rows of 20 pixels; the visible rows span y = 0 to 100, with 20-pixel edge bands, and start
// after the rows scrolled out of sight.
class FakeListView : public ReorderListView {
  public:
    explicit FakeListView(const InputList& list) : list_(list) {}
    std::optional<std::size_t> rowAt(int, int y) const override {
        const auto row = static_cast<std::size_t>(y / kRowHeight + 1 + scrolledRows);
        if (y < 0 || row > list_.count()) return std::nullopt;
        return row;
    }
    void selectRow(std::size_t row) override { selected = row; }
    void scrollToRow(std::size_t row) override { scrolledTo.push_back(row); }
    VisibleArea visibleArea() const override { return {0, 100, kRowHeight}; }
    void showDragPointer() override { pointer = "drag"; }
    void showArrowPointer() override { pointer = "arrow"; }
    void disableDragOut() override { dragOutOff = true; }

    int scrolledRows = 0;
    std::optional<std::size_t> selected;
    std::vector<std::size_t> scrolledTo;
    std::string pointer = "none";
    bool dragOutOff = false;

  private:
    const InputList& list_;
};

int MiddleOf(std::size_t row) {
    return int(row - 1) * kRowHeight + kRowHeight / 2;
}

struct Fixture {
    explicit Fixture(const Strings& rows) {
        for (const std::string& row : rows)
            list.append(row);
    }
    Strings rows() const { return Strings(list.rows().begin(), list.rows().end()); }

    InputList list;
    FakeListView view{list};
    FakeWindowPointer pointer;
    RowDragReorder reorder{list, view, pointer};
};

}  // namespace

class RowDragReorderTest : public QObject {
    Q_OBJECT

  private slots:
    // A click on `clicked`, a press, then moves over the rows listed in `path`.
    void swaps_data() {
        QTest::addColumn<Strings>("rows");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<std::vector<int>>("path");
        QTest::addColumn<Strings>("expected");
        QTest::addColumn<int>("expectedSelected");  // 0: none
        const Strings abcd{"a", "b", "c", "d"};
        QTest::newRow("slowly down over rows 2 and 3")
            << abcd << 1 << std::vector<int>{1, 2, 3} << Strings{"b", "c", "a", "d"} << 3;
        QTest::newRow("jump from row 1 to row 4")
            << abcd << 1 << std::vector<int>{4} << Strings{"d", "b", "c", "a"} << 4;
        QTest::newRow("up and back down")
            << abcd << 3 << std::vector<int>{2, 1, 2} << Strings{"a", "c", "b", "d"} << 2;
        QTest::newRow("over equal texts nothing changes")
            << Strings{"x", "x", "y"} << 1 << std::vector<int>{2} << Strings{"x", "x", "y"} << 0;
        QTest::newRow("over the carried row itself nothing changes")
            << abcd << 2 << std::vector<int>{2, 2} << abcd << 0;
        QTest::newRow("below the last row nothing changes")
            << abcd << 1 << std::vector<int>{9} << abcd << 0;
    }
    void swaps() {
        QFETCH(Strings, rows);
        QFETCH(int, clicked);
        QFETCH(std::vector<int>, path);
        QFETCH(Strings, expected);
        QFETCH(int, expectedSelected);
        Fixture f(rows);
        f.reorder.carry(std::size_t(clicked));
        f.reorder.press();
        for (const int row : path)
            f.reorder.move(5, MiddleOf(std::size_t(row)));
        QCOMPARE(f.rows(), expected);
        QCOMPARE(int(f.view.selected.value_or(0)), expectedSelected);
    }

    // Without a pressed button, or before any row was clicked, moving changes nothing.
    void movesThatChangeNothing_data() {
        QTest::addColumn<bool>("click");
        QTest::addColumn<bool>("press");
        QTest::newRow("no button pressed") << true << false;
        QTest::newRow("no row clicked yet") << false << true;
        QTest::newRow("released before moving") << true << true;
    }
    void movesThatChangeNothing() {
        QFETCH(bool, click);
        QFETCH(bool, press);
        Fixture f({"a", "b", "c"});
        if (click) f.reorder.carry(1);
        if (press) f.reorder.press();
        if (click && press) f.reorder.release();
        f.reorder.move(5, MiddleOf(3));
        QCOMPARE(f.rows(), (Strings{"a", "b", "c"}));
    }

    // The list shows the drag image from the click, and the arrow after the release.
    void listPointer() {
        Fixture f({"a", "b"});
        f.reorder.carry(1);
        QCOMPARE(f.view.pointer, std::string("drag"));
        QVERIFY(f.view.dragOutOff);
        f.reorder.press();
        QVERIFY(f.reorder.dragActive());
        f.reorder.release();
        QVERIFY(!f.reorder.dragActive());
        QCOMPARE(f.view.pointer, std::string("arrow"));
        QCOMPARE(f.reorder.draggedRow(), std::optional<std::size_t>(1));
    }

    // Moving over the list gives the window its default pointer back, unless it is busy.
    void windowPointerHandBack_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("hand") << int(kCustomPointer) << int(kDefaultPointer);
        QTest::newRow("arrow") << int(kArrowPointer) << int(kDefaultPointer);
        QTest::newRow("busy stays") << int(kBusyPointer) << int(kBusyPointer);
    }
    void windowPointerHandBack() {
        QFETCH(int, before);
        QFETCH(int, after);
        Fixture f({"a"});
        f.pointer.value = before;
        f.reorder.move(5, MiddleOf(1));
        QCOMPARE(f.pointer.value, after);
    }

    // A swap at the top or bottom edge band of the visible rows brings the next row into
    // sight; elsewhere, or with no row beyond, nothing scrolls.
    void edgeScrolling_data() {
        QTest::addColumn<int>("scrolledRows");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("y");
        QTest::addColumn<std::vector<std::size_t>>("expected");
        QTest::newRow("top band, row above exists") << 2 << 5 << 10 << std::vector<std::size_t>{2};
        QTest::newRow("top band, first row") << 0 << 2 << 10 << std::vector<std::size_t>{};
        QTest::newRow("bottom band, row below exists")
            << 0 << 2 << 85 << std::vector<std::size_t>{6};
        QTest::newRow("bottom band, last row") << 5 << 2 << 90 << std::vector<std::size_t>{};
        QTest::newRow("middle") << 0 << 1 << 50 << std::vector<std::size_t>{};
        QTest::newRow("just inside the top band edge")
            << 2 << 5 << 19 << std::vector<std::size_t>{2};
        QTest::newRow("just below the top band") << 2 << 5 << 20 << std::vector<std::size_t>{};
    }
    void edgeScrolling() {
        QFETCH(int, scrolledRows);
        QFETCH(int, clicked);
        QFETCH(int, y);
        QFETCH(std::vector<std::size_t>, expected);
        Fixture f({"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "r10"});
        f.view.scrolledRows = scrolledRows;
        f.reorder.carry(std::size_t(clicked));
        f.reorder.press();
        f.reorder.move(5, y);
        QCOMPARE(f.view.scrolledTo, expected);
    }

    // A removed or cleared carried row is forgotten; a row removed above it moves it up.
    void removedRows_data() {
        QTest::addColumn<int>("removed");  // 0: the list is cleared
        QTest::addColumn<int>("expectedCarried");
        QTest::newRow("the carried row") << 2 << 0;
        QTest::newRow("a row above") << 1 << 1;
        QTest::newRow("a row below") << 3 << 2;
        QTest::newRow("clearing") << 0 << 0;
    }
    void removedRows() {
        QFETCH(int, removed);
        QFETCH(int, expectedCarried);
        Fixture f({"a", "b", "c", "d"});
        f.reorder.carry(2);
        if (removed == 0) {
            f.list.clear();
            f.reorder.listCleared();
        } else {
            f.list.removeAt(std::size_t(removed));
            f.reorder.rowRemoved(std::size_t(removed));
        }
        QCOMPARE(int(f.reorder.draggedRow().value_or(0)), expectedCarried);
        const Strings before = f.rows();
        f.reorder.press();
        f.reorder.move(5, MiddleOf(f.list.count()));
        if (expectedCarried == 0) QCOMPARE(f.rows(), before);
        if (removed == 1) QCOMPARE(f.rows(), (Strings{"d", "c", "b"}));
    }
};

QTEST_GUILESS_MAIN(RowDragReorderTest)
#include "test_row_drag_reorder.moc"
