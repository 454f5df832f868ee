// How names are read: wildcard patterns and the listing order.

#include <QtTest>

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
    }
    void listingOrder() {
        QFETCH(Strings, names);
        QFETCH(Strings, expected);
        SortForListing(names);
        QCOMPARE(names, expected);
    }
};

QTEST_APPLESS_MAIN(NameRulesTest)
#include "test_name_rules.moc"
