// Numbers read as written: the kept "+", the separator table, the text as it stands in the
// file and its line, whatever the pieces the text arrives in.

#include <QtTest>

#include "separator_map.h"
#include "written_number_stream.h"

using namespace tessaly;

class WrittenNumbersTest : public QObject {
    Q_OBJECT

  private slots:
    void reads_data() {
        QTest::addColumn<QString>("text");
        // p: keep plus, u: Unicode separators, c: context, l: long runs
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("require");
        QTest::addColumn<QStringList>("found");  // value|line|text, with c: |before|after
        const QString dashes = QString::fromUtf16(u"555\u2011123\u20114567");
        QTest::newRow("no-break hyphens ignored") << dashes << ""
                                                  << "" << QStringList{};
        QTest::newRow("no-break hyphens read") << dashes << "u"
                                               << "" << QStringList{"5551234567|1|" + dashes};
        QTest::newRow("full-width and nbsp")
            << QString::fromUtf16(u"x\r\n\uFF08\uFF15\uFF15\uFF15\uFF09\u00A0123\uFF0E4567 ") << "u"
            << "."
            << QStringList{QString::fromUtf16(
                   u"5551234567|2|\uFF08\uFF15\uFF15\uFF15\uFF09\u00A0123\uFF0E4567")};
        QTest::newRow("arabic-indic digits")
            << QString::fromUtf16(u"\u0661\u0662\u0663\u0664\u0665-\u06F6\u06F7") << "u"
            << ""
            << QStringList{
                   QString::fromUtf16(u"1234567|1|\u0661\u0662\u0663\u0664\u0665-\u06F6\u06F7")};
        QTest::newRow("required dash mapped")
            << QString::fromUtf16(u"12345, 55\u201355555") << "u" << QString::fromUtf16(u"\u2013")
            << QStringList{QString::fromUtf16(u"5555555|1|55\u201355555")};
        QTest::newRow("plus kept across blanks")
            << "call + 1 (555) 123-4567!"
            << "p"
            << "" << QStringList{"+15551234567|1|+ 1 (555) 123-4567"};
        QTest::newRow("plus not digit")
            << "+1234"
            << "p"
            << "" << QStringList{};  // four digits: the plus does not count
        QTest::newRow("plus counts for require")
            << "+44 20 7946 0018, 020 7946 0019"
            << "p"
            << "+4" << QStringList{"+442079460018|1|+44 20 7946 0018"};
        QTest::newRow("plus ignored without option") << "+44 20 7946 0018"
                                                     << ""
                                                     << "+" << QStringList{};
        QTest::newRow("plus only directly before")
            << "+x12345 +\n23456 ++34567"
            << "p"
            << "" << QStringList{"12345|1|12345", "23456|2|23456", "+34567|2|+34567"};
        QTest::newRow("trailing blanks not text") << "a 12 345   \tb"
                                                  << ""
                                                  << "" << QStringList{"12345|1|12 345"};
        QTest::newRow("lines: lone CR and CR LF")
            << "12345\r23456\r\n\n34567\n\r45678"
            << ""
            << ""
            << QStringList{"12345|1|12345", "23456|2|23456", "34567|4|34567", "45678|6|45678"};
        QTest::newRow("context on its line")
            << "x\nTel: 212-555-0147 ext. 12\ny"
            << "c"
            << "" << QStringList{"2125550147|2|212-555-0147|Tel: | ext. 12"};
        QTest::newRow("context sixteen each side")
            << "abcdefghijklmnopqrstuvwxyz12345zyxwvutsrqponmlkjihgfedcba"
            << "c"
            << "" << QStringList{"12345|1|12345|klmnopqrstuvwxyz|zyxwvutsrqponmlk"};
        QTest::newRow("context cut by CR LF and lone CR")
            << "ab\r\ncd 12345 ef\rgh 23456"
            << "c"
            << "" << QStringList{"12345|2|12345|cd | ef", "23456|3|23456|gh |"};
        QTest::newRow("context: plus kept is text") << "a+ 12345 b"
                                                    << "cp"
                                                    << "" << QStringList{"+12345|1|+ 12345|a| b"};
        QTest::newRow("context: plus not kept stands before")
            << "a+ 12345 b"
            << "c"
            << "" << QStringList{"12345|1|12345|a+ | b"};
        QTest::newRow("context overlaps the next number")
            << "12345x23456"
            << "c"
            << "" << QStringList{"12345|1|12345||x23456", "23456|1|23456|12345x|"};
        QTest::newRow("context of a number not kept")
            << "1234 x 12345678901234567890123 y 23456"
            << "c"
            << "" << QStringList{"23456|1|23456|1234567890123 y |"};
        QTest::newRow("long runs for a stage that cuts them")
            << "1234 x 212 555 0199 212 555 0142 212 555 0143 y " + QString(65, '7') + " x 98765"
            << "l"
            << ""
            << QStringList{
                   "212555019921255501422125550143|1|212 555 0199 212 555 0142 212 555 0143",
                   "98765|1|98765"};
        QTest::newRow("too many digits") << "123456789012345678901 98765"
                                         << ""
                                         << "" << QStringList{};
    }

    void reads() {
        QFETCH(QString, text);
        QFETCH(QString, rules);
        QFETCH(QString, require);
        QFETCH(QStringList, found);
        ScanRules r;
        r.lengths = kEveryLength;
        r.keepPlus = rules.contains('p');
        r.unicodeSeparators = rules.contains('u');
        r.writtenText = true;
        r.numberContext = rules.contains('c');
        r.longRuns = rules.contains('l');
        if (!require.isEmpty()) r.required = {true, require.toStdU16String()};
        const std::u16string units = text.toStdU16String();
        for (std::size_t piece : {std::size_t(1), std::size_t(2), units.size() + 1}) {
            WrittenNumberStream stream(r);
            std::vector<WrittenNumber> out;
            for (std::size_t at = 0; at < units.size(); at += piece)
                stream.feed(std::u16string_view(units).substr(at, piece), out);
            stream.finish(out);
            QStringList got;
            for (const WrittenNumber& n : out) {
                got << QString::fromStdString(n.value) + "|" + QString::number(n.line) + "|" +
                           QString::fromStdU16String(n.text) +
                           (r.numberContext ? "|" + QString::fromStdU16String(n.before) + "|" +
                                                  QString::fromStdU16String(n.after)
                                            : QString());
            }
            QCOMPARE(got, found);
        }
    }

    // Every character of the table, and its neighbours that are not in it.
    void separatorTable() {
        const std::pair<char16_t, char> table[] = {
            {0x2010, '-'}, {0x2015, '-'}, {0x2212, '-'}, {0xFE58, '-'}, {0xFE63, '-'},
            {0xFF0D, '-'}, {0xFF0E, '.'}, {0xFF08, '('}, {0xFF09, ')'}, {0x00A0, ' '},
            {0x2002, ' '}, {0x200A, ' '}, {0x202F, ' '}, {0x205F, ' '}, {0x3000, ' '},
            {0xFF10, '0'}, {0xFF19, '9'}, {0x0660, '0'}, {0x0669, '9'}, {0x06F0, '0'},
            {0x06F9, '9'}, {0x200F, 0},   {0x2016, 0},   {0x200B, 0},   {0xFF1A, 0},
            {0x066A, 0},   {0x06FA, 0},   {0xFF0B, 0},   {0x2001, 0},   {0x2213, 0}};
        for (auto [unit, ascii] : table)
            QCOMPARE(MapSeparator(unit), ascii);
    }
};

QTEST_APPLESS_MAIN(WrittenNumbersTest)
#include "test_written_numbers.moc"
