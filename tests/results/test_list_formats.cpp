// The bytes of the three formats: the padded text table, the comma-delimited lines and the
// clipboard text, on the result list and on a general list with several columns and unticked
// rows.

#include <QtTest>
#include <string>
#include <vector>

#include "byte_sink.h"
#include "clipboard_text.h"
#include "comma_delimited_format.h"
#include "result_list_table.h"
#include "text_table_format.h"

using namespace tessaly;

namespace {

// A list with any columns; a row's cells are separated by '|', a leading '-' leaves it unticked.
class PlainTable : public ListTable {
  public:
    PlainTable(std::vector<std::string> titles, const std::vector<std::string>& rows)
        : titles_(std::move(titles)) {
        for (std::string row : rows) {
            checked_.push_back(row.empty() || row[0] != '-');
            if (!checked_.back()) row.erase(0, 1);
            std::vector<std::string> cells;
            for (std::size_t start = 0;;) {
                const std::size_t bar = row.find('|', start);
                cells.push_back(row.substr(start, bar - start));
                if (bar == std::string::npos) break;
                start = bar + 1;
            }
            cells.resize(titles_.size());
            cells_.push_back(std::move(cells));
        }
    }
    std::size_t columnCount() const override { return titles_.size(); }
    std::string_view columnTitle(std::size_t c) const override { return titles_.at(c - 1); }
    std::size_t rowCount() const override { return cells_.size(); }
    std::string_view cell(std::size_t r, std::size_t c) const override {
        return cells_.at(r - 1).at(c - 1);
    }
    bool checked(std::size_t r) const override { return checked_.at(r - 1); }
    std::uint64_t generation() const override { return 0; }

  private:
    std::vector<std::string> titles_;
    std::vector<std::vector<std::string>> cells_;
    std::vector<bool> checked_;
};

enum Format { kTable, kComma, kClipboard };

std::string Render(Format format, const ListTable& list) {
    std::string out;
    StringSink sink(out);
    RowWalk walk(list, WalkYield{});
    const bool done = format == kTable   ? FormatListAsText(list, sink, walk)
                      : format == kComma ? FormatListCommaDelimited(list, sink, walk)
                                         : BuildClipboardText(list, out, walk);
    if (!done) throw std::logic_error("a walk without an event loop stopped");
    return out;
}

}  // namespace

class TestListFormats : public QObject {
    Q_OBJECT
  private slots:
    void resultList_data();
    void resultList();
    void generalList_data();
    void generalList();
};

void TestListFormats::resultList_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<std::vector<std::string>>("rows");
    QTest::addColumn<QByteArray>("bytes");
    using R = std::vector<std::string>;
    const R none;
    const R one{"5551234567"};
    const R widths{"12345", "555123456789"};
    const R three{"5551234567", "5559876543", "5551234567"};
    QTest::newRow("table: empty list") << int(kTable) << none << QByteArray("Results\t\r\n");
    QTest::newRow("table: one row")
        << int(kTable) << one << QByteArray("Results   \t\r\n5551234567\t\r\n");
    QTest::newRow("table: widths 5 and 12")
        << int(kTable) << widths
        << QByteArray("Results     \t\r\n12345       \t\r\n555123456789\t\r\n");
    QTest::newRow("table: 5 digits only")
        << int(kTable) << R{"12345"} << QByteArray("Results\t\r\n12345  \t\r\n");
    QTest::newRow("comma: empty list is zero bytes") << int(kComma) << none << QByteArray();
    QTest::newRow("comma: one row") << int(kComma) << one << QByteArray("5551234567\r\n");
    QTest::newRow("comma: duplicates as often as they stand")
        << int(kComma) << three << QByteArray("5551234567,\r\n5559876543,\r\n5551234567\r\n");
    QTest::newRow("comma: no padding")
        << int(kComma) << widths << QByteArray("12345,\r\n555123456789\r\n");
    QTest::newRow("clipboard: empty list") << int(kClipboard) << none << QByteArray();
    QTest::newRow("clipboard: three rows")
        << int(kClipboard) << three << QByteArray("5551234567\n5559876543\n5551234567\n");
    QTest::newRow("clipboard: shorter number not padded")
        << int(kClipboard) << R{"1234567", "5551234567"} << QByteArray("1234567\n5551234567\n");
}

void TestListFormats::resultList() {
    QFETCH(int, format);
    QFETCH(std::vector<std::string>, rows);
    QFETCH(QByteArray, bytes);
    ResultList list;
    for (const std::string& r : rows)
        list.append(PhoneNumber(r));
    QCOMPARE(QByteArray::fromStdString(Render(Format(format), ResultListTable(list))), bytes);
}

void TestListFormats::generalList_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<std::vector<std::string>>("titles");
    QTest::addColumn<std::vector<std::string>>("rows");
    QTest::addColumn<QByteArray>("bytes");
    using R = std::vector<std::string>;
    const R results{"Results"};
    // 10 digits ticked, 7 ticked, 12 unticked.
    const R example{"5551234567", "1234567", "-555123456789"};
    QTest::newRow("table: unticked row left out, its width kept")
        << int(kTable) << results << example
        << QByteArray("Results     \t\r\n5551234567  \t\r\n1234567     \t\r\n");
    QTest::newRow("table: every row unticked")
        << int(kTable) << results << R{"-123456789", "-12"} << QByteArray("Results  \t\r\n");
    QTest::newRow("table: two columns, title widest")
        << int(kTable) << R{"Number", "Place"} << R{"12345|Oslo", "123|Bergen"}
        << QByteArray("Number\tPlace \t\r\n12345 \tOslo  \t\r\n123   \tBergen\t\r\n");
    QTest::newRow("comma: unticked rows written, first cell only")
        << int(kComma) << R{"Number", "Place"} << R{"-12345|Oslo", "123|Bergen"}
        << QByteArray("12345,\r\n123\r\n");
    QTest::newRow("clipboard: unticked row left out, its width kept")
        << int(kClipboard) << results << example << QByteArray("5551234567\n1234567\n");
    QTest::newRow("clipboard: none ticked gives empty text")
        << int(kClipboard) << results << R{"-12345"} << QByteArray();
    QTest::newRow("clipboard: titles do not count, cells padded before TAB")
        << int(kClipboard) << R{"A long title", "B"} << R{"ab|x", "-abcd|yy"}
        << QByteArray("ab  \tx\n");
    QTest::newRow("clipboard: empty last cell leaves the TAB, trims its padding")
        << int(kClipboard) << R{"A", "B"} << R{"abcd|", "a|xyz"}
        << QByteArray("abcd\t\na   \txyz\n");
}

void TestListFormats::generalList() {
    QFETCH(int, format);
    QFETCH(std::vector<std::string>, titles);
    QFETCH(std::vector<std::string>, rows);
    QFETCH(QByteArray, bytes);
    QCOMPARE(QByteArray::fromStdString(Render(Format(format), PlainTable(titles, rows))), bytes);
}

QTEST_APPLESS_MAIN(TestListFormats)
#include "test_list_formats.moc"
