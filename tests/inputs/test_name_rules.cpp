// How names are read: wildcard patterns and the listing order.

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

#include "name_rules.h"
#include "support/table_types.h"

using namespace tessaly;

using Strings = std::vector<std::string>;

class NameRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void patterns_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("*.* without a dot") << QByteArray("README") << QByteArray("*.*") << true;
        QTest::newRow("*.* hidden name") << QByteArray(".profile") << QByteArray("*.*") << true;
        QTest::newRow("extension") << QByteArray("a.txt") << QByteArray("*.txt") << true;
        QTest::newRow("extension, other case")
            << QByteArray("A.TxT") << QByteArray("*.txt") << true;
        QTest::newRow("accented, other case")
            << QByteArray("\xc3\x89T\xc3\x89.txt") << QByteArray("\xc3\xa9t\xc3\xa9.*") << true;
        QTest::newRow("longer extension") << QByteArray("a.txts") << QByteArray("*.txt") << false;
        QTest::newRow("extension inside")
            << QByteArray("a.txt.bak") << QByteArray("*.txt") << false;
        QTest::newRow("star in the middle")
            << QByteArray("report-2024.csv") << QByteArray("report*.csv") << true;
        QTest::newRow("star needs going back")
            << QByteArray("a.b.c.txt") << QByteArray("*.*.txt") << true;
        QTest::newRow("? is one character") << QByteArray("ab.txt") << QByteArray("?.txt") << false;
        QTest::newRow("? is one accented character")
            << QByteArray("\xc3\xa9.txt") << QByteArray("?.txt") << true;
        QTest::newRow("two dots after the star")
            << QByteArray("a.txt") << QByteArray("*..txt") << false;
        QTest::newRow("* is any run, also empty")
            << QByteArray(".txt") << QByteArray("*.txt") << true;
    }
    void patterns() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, pattern);
        QFETCH(bool, matches);
        QCOMPARE(MatchesPattern(name.toStdString(), pattern.toStdString()), matches);
    }

    void listingOrder_data() {
        QTest::addColumn<Strings>("names");
        QTest::addColumn<Strings>("expected");
        QTest::newRow("case ignored")
            << Strings{"b", "C", "a", "B2"} << Strings{"a", "b", "B2", "C"};
        QTest::newRow("names equal but for case keep a fixed order")
            << Strings{"x", "X"} << Strings{"X", "x"};
        QTest::newRow("accented capitals beside their small letters") << Strings{"\xc3\xa9z",
                                                                                 "\xc3\x89"
                                                                                 "a"}
                                                                      << Strings{
                                                                             "\xc3\x89"
                                                                             "a",
                                                                             "\xc3\xa9z"};
        QTest::newRow("a sign between the capitals and the small letters")
            << Strings{"Ax", "_x", "ax", "Zx"} << Strings{"_x", "Ax", "ax", "Zx"};
        QTest::newRow("a name before every longer one it begins")
            << Strings{"abc", "AB", "ab", "a"} << Strings{"a", "AB", "ab", "abc"};
        QTest::newRow("accented letters after a common beginning")
            << Strings{"doc\xc3\xa9", "DOC\xc3\x89", "docz", "doc\xff"}
            << Strings{"docz", "DOC\xc3\x89", "doc\xc3\xa9", "doc\xff"};
        QTest::newRow("an accented letter within the first eight")
            << Strings{"caf\xc3\xa9"
                       "a",
                       "cafz", "CAF\xc3\x89z", "caf"}
            << Strings{"caf", "cafz",
                       "caf\xc3\xa9"
                       "a",
                       "CAF\xc3\x89z"};
        QTest::newRow("names alike in their first eight")
            << Strings{"photo_2023_0001b", "PHOTO_2023_0001A", "photo_20"}
            << Strings{"photo_20", "PHOTO_2023_0001A", "photo_2023_0001b"};
    }
    // Every comparison gives the order: of measured names, of names ending with a zero byte, and
    // by listing key first.
    void listingOrder() {
        QFETCH(Strings, names);
        QFETCH(Strings, expected);
        std::vector<const char*> ended;
        for (const std::string& name : names)
            ended.push_back(name.c_str());
        std::sort(ended.begin(), ended.end(),
                  [](const char* a, const char* b) { return ListsBefore(a, b); });
        QCOMPARE(Strings(ended.begin(), ended.end()), expected);
        Strings keyed = names;
        std::sort(keyed.begin(), keyed.end(), [](const std::string& a, const std::string& b) {
            const std::uint64_t ka = ListingKey(a), kb = ListingKey(b);
            return ka != kb ? ka < kb : ListsBefore(a, b);
        });
        QCOMPARE(keyed, expected);
        SortForListing(names);
        QCOMPARE(names, expected);
    }
};

QTEST_APPLESS_MAIN(NameRulesTest)
#include "test_name_rules.moc"
