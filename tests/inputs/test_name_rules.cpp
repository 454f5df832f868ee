// How names are read: unsafe characters, wildcard patterns, the listing order and the
// character count of the length limits.

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
    void unsafeNames_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("unsafe");
        QTest::newRow("plain") << QByteArray("Reports 2024") << false;
        QTest::newRow("accented and Cyrillic letters")
            << QByteArray("caf\xc3\xa9 \xd0\x96") << false;
        QTest::newRow("question mark") << QByteArray("why?") << true;
        QTest::newRow("tab") << QByteArray("a\tb") << true;
        QTest::newRow("code 31") << QByteArray("a\x1f") << true;
        QTest::newRow("code 32") << QByteArray("a b") << false;
        QTest::newRow("code 126") << QByteArray("a~") << false;
        QTest::newRow("code 127") << QByteArray("a\x7f") << true;
        QTest::newRow("code 159") << QByteArray("a\xc2\x9f") << true;
        QTest::newRow("code 160") << QByteArray("a\xc2\xa0") << false;
        QTest::newRow("byte outside any character") << QByteArray("caf\xe9") << false;
    }
    void unsafeNames() {
        QFETCH(QByteArray, name);
        QFETCH(bool, unsafe);
        QCOMPARE(HasUnsafeNameCharacter(name.toStdString()), unsafe);
    }

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

    void characterCount_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("ascii") << QByteArray("abc") << 3;
        QTest::newRow("two-byte letters") << QByteArray("\xc3\xa9\xc3\xa9") << 2;
        QTest::newRow("beyond the basic plane") << QByteArray("\xf0\x9f\x98\x80") << 1;
        QTest::newRow("stray bytes count one each") << QByteArray("\xe9\xff") << 2;
        QTest::newRow("cut-off character") << QByteArray("a\xe2\x82") << 3;
    }
    void characterCount() {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QCOMPARE(CharacterCount(text.toStdString()), std::size_t(count));
    }
};

QTEST_APPLESS_MAIN(NameRulesTest)
#include "test_name_rules.moc"
