// The application title: the product title cut at blanks to at most 40 characters, always at
// least once when there is a blank to cut at.

#include <QtTest>

#include "application_title.h"

using namespace tessaly;

class ApplicationTitleTest : public QObject {
    Q_OBJECT

private slots:
    void shortened_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one word: nothing to cut") << "Tessaly" << "Tessaly";
        QTest::newRow("two words give one") << "Tessaly Extractor" << "Tessaly";
        QTest::newRow("30 characters still lose the last word")
            << "Phone Number Extractor Deluxe!" << "Phone Number Extractor";
        // 45 characters whose last word has 5 letters: 39 remain.
        QTest::newRow("45 characters lose one word")
            << "Aaaaaaaaa Bbbbbbbbb Ccccccccc Ddddddddd Eeeee" << "Aaaaaaaaa Bbbbbbbbb Ccccccccc Ddddddddd";
        QTest::newRow("62 characters lose words until 40 or fewer")
            << "Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotel India Juliet"
            << "Alpha Bravo Charlie Delta Echo Foxtrot";
        QTest::newRow("a long first word keeps what it cannot cut")
            << "Abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz tail"
            << "Abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
        QTest::newRow("trailing blank goes") << "Tessaly " << "Tessaly";
        QTest::newRow("characters, not bytes, are counted")
            << QString::fromUtf8("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
                                 "\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
                                 "\xc3\xa9\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9\xc3\xa9 end")
            << QString::fromUtf8("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
                                 "\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
                                 "\xc3\xa9\xc3\xa9\xc3\xa9 \xc3\xa9\xc3\xa9\xc3\xa9");
        QTest::newRow("empty") << "" << "";
    }
    void shortened() {
        QFETCH(QString, product);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ShortenedApplicationTitle(product.toStdString())), expected);
    }
};

QTEST_APPLESS_MAIN(ApplicationTitleTest)
#include "test_application_title.moc"
