// The application title: the product title cut at its last blank at least once, then again
// while longer than 40 characters.

#include <QtTest>

#include "application_title.h"

using namespace tessaly;

class ApplicationTitleTest : public QObject {
    Q_OBJECT

  private slots:
    void shortened_data() {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no blank: kept whole") << "Tessaly"
                                              << "Tessaly";
        QTest::newRow("two words give one") << "Tessaly Extractor"
                                            << "Tessaly";
        // 45 characters whose last word has 5 letters: 39 remain.
        QTest::newRow("45 characters") << "Aaaaaaaaa Bbbbbbbbb Ccccccccc Ddddddddd Eeeee"
                                       << "Aaaaaaaaa Bbbbbbbbb Ccccccccc Ddddddddd";
        QTest::newRow("62 characters: cut until 40 or fewer")
            << "Alpha Bravo Charlie Delta Echo Foxtrot Golf Hotel India Juliet"
            << "Alpha Bravo Charlie Delta Echo Foxtrot";
        QTest::newRow("a long word that cannot be cut")
            << "Abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz tail"
            << "Abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
        // 24 characters but 46 bytes after the first cut.
        QTest::newRow("characters, not bytes")
            << QString(10, QChar(0xE9)) + " " + QString(9, QChar(0xE9)) + " " +
                   QString(3, QChar(0xE9)) + " end"
            << QString(10, QChar(0xE9)) + " " + QString(9, QChar(0xE9)) + " " +
                   QString(3, QChar(0xE9));
    }
    void shortened() {
        QFETCH(QString, product);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(ShortenedApplicationTitle(product.toStdString())),
                 expected);
    }
};

QTEST_APPLESS_MAIN(ApplicationTitleTest)
#include "test_application_title.moc"
