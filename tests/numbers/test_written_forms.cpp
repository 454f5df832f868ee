// Telephone numbers as people write them in four countries, read through the number options:
// valid and invalid numbers, look-alikes, extensions, international prefixes and numbers that
// blanks separate, each line scanned as the extractor scans it and judged by the number stage.

#include <QtTest>

#include "number_stage.h"
#include "written_number_stream.h"

using namespace tessaly;
using namespace tessaly::numbers;

namespace {

// Options: v valid only, e +E.164, s split at blanks, d describe (jsonl), p keep the "+".
// Lengths: "" for the default 10 and 11, "*" for every count.
QStringList Judge(const QString& country, const QString& line, const QString& options,
                  const QString& lengths) {
    NumberRules rules;
    rules.country = country.toStdString();
    rules.validOnly = options.contains('v');
    rules.e164 = options.contains('e');
    rules.splitBlanks = options.contains('s');
    rules.describe = options.contains('d');
    rules.lengths = lengths == "*" ? kEveryLength : (1u << 10 | 1u << 11);
    ScanRules scan;
    scan.lengths = rules.splitBlanks ? kEveryLength : rules.lengths;
    scan.keepPlus = options.contains('p');
    scan.writtenText = scan.numberContext = true;
    scan.longRuns = rules.splitBlanks;
    WrittenNumberStream stream(scan);
    std::vector<WrittenNumber> found;
    stream.feed(line.toStdU16String(), found);
    stream.finish(found);
    NumberStage stage(rules);
    std::vector<StagedNumber> staged;
    for (const WrittenNumber& n : found)
        stage.judge({n.value, n.text, n.before, n.after}, staged);
    QStringList values;
    for (const StagedNumber& n : staged)
        values << QString::fromStdString(n.value + n.jsonMembers);
    return values;
}

void Columns() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("lengths");
    QTest::addColumn<QStringList>("numbers");
}

}  // namespace

class WrittenFormsTest : public QObject {
    Q_OBJECT

    void run(const char* country) {
        QFETCH(QString, line);
        QFETCH(QString, options);
        QFETCH(QString, lengths);
        QFETCH(QStringList, numbers);
        QCOMPARE(Judge(country, line, options, lengths), numbers);
    }

  private slots:
    void unitedStates_data() {
        Columns();
        const QString five =
            "212-555-0147, (212) 555-0147, +1 212 555 0147, 1-212-555-0147, "
            "212.555.0147";
        QTest::newRow("five spellings, one value") << five << "ve"
                                                   << "" << QStringList(5, "+12125550147");
        QTest::newRow("as read without e164")
            << five << "v"
            << ""
            << QStringList{"2125550147", "2125550147", "12125550147", "12125550147", "2125550147"};
        QTest::newRow("kept plus stays without e164") << "+1 212 555 0147"
                                                      << "vp"
                                                      << "" << QStringList{"+12125550147"};
        QTest::newRow("no area code 123") << "call 123-456-7890 or 212-555-0147"
                                          << "v"
                                          << "" << QStringList{"2125550147"};
        QTest::newRow("invalid kept without valid") << "123-456-7890"
                                                    << "e"
                                                    << "" << QStringList{"+11234567890"};
        QTest::newRow("glued to letters, # $ /")
            << "INV-2023-004512 #2125550147 $2125550147 2125550147/2125550148 2125550149x"
            << "v"
            << "" << QStringList{};
        QTest::newRow("address, version, ISBN mark, ZIP+4")
            << "12.145.210.147 21.2.55501.47 ISBN 212-555-0147 90210-1234"
            << "v"
            << "*" << QStringList{};
        QTest::newRow("look-alikes only for valid")
            << "INV-2023-004512; 12.145.210.147"
            << "e"
            << "" << QStringList{"+12023004512", "+12145210147"};
        QTest::newRow("extension written after")
            << "212-555-0147 ext. 12"
            << "vd"
            << ""
            << QStringList{
                   "2125550147,\"e164\":\"+12125550147\",\"country\":\"US\","
                   "\"type\":\"fixed_line_or_mobile\",\"extension\":\"12\""};
        QTest::newRow("extension glued with x") << "212-555-0147x12; 212.555.0148 x 3"
                                                << "v"
                                                << "" << QStringList{"2125550147", "2125550148"};
        QTest::newRow("extension digits are no number") << "212-555-0147 ext. 2125550148"
                                                        << "v"
                                                        << "*" << QStringList{"2125550147"};
        QTest::newRow("toll free described")
            << "(800) 555-1234"
            << "d"
            << ""
            << QStringList{
                   "8005551234,\"e164\":\"+18005551234\",\"country\":\"US\","
                   "\"type\":\"toll_free\",\"extension\":null"};
        QTest::newRow("011 prefix") << "011 44 20 7946 0958"
                                    << "ve"
                                    << "*" << QStringList{"+442079460958"};
        QTest::newRow("00 is not the US prefix") << "00 44 20 7946 0958"
                                                 << "v"
                                                 << "*" << QStringList{};
        QTest::newRow("blank-separated pair") << "212-555-0199 212-555-0142"
                                              << "s"
                                              << "" << QStringList{"2125550199", "2125550142"};
        QTest::newRow("pair not split without option") << "212-555-0199 212-555-0142"
                                                       << ""
                                                       << "" << QStringList{};
        QTest::newRow("three in a row")
            << "212 555 0199 212 555 0142 212 555 0143"
            << "se"
            << "" << QStringList{"+12125550199", "+12125550142", "+12125550143"};
        QTest::newRow("split keeps valid parts") << "212 555 0199 123 456 7890"
                                                 << "sv"
                                                 << "" << QStringList{"2125550199"};
        QTest::newRow("split without valid keeps counts")
            << "212 555 0199 123 456 7890"
            << "s"
            << "" << QStringList{"2125550199", "1234567890"};
        QTest::newRow("whole accepted run never cut") << "212 555 0147"
                                                      << "s"
                                                      << "" << QStringList{"2125550147"};
        QTest::newRow("most digits covered") << "1 212 555 0147 9"
                                             << "s"
                                             << "" << QStringList{"12125550147"};
    }
    void unitedStates() { run("US"); }

    void greatBritain_data() {
        Columns();
        QTest::newRow("London, three ways")
            << "020 7946 0958 / +44 20 7946 0958 / +44 (0)20 7946 0958"
            << "ve"
            << "*" << QStringList(3, "+442079460958");
        QTest::newRow("00 prefix") << "00 44 20 7946 0958"
                                   << "ve"
                                   << "*" << QStringList{"+442079460958"};
        QTest::newRow("011 is not the GB prefix") << "011 44 20 7946 0958"
                                                  << "v"
                                                  << "*" << QStringList{};
        QTest::newRow("mobile described")
            << "07400 123456"
            << "d"
            << ""
            << QStringList{
                   "07400123456,\"e164\":\"+447400123456\",\"country\":\"GB\","
                   "\"type\":\"mobile\",\"extension\":null"};
        QTest::newRow("too short") << "020 7946 095"
                                   << "v"
                                   << "*" << QStringList{};
        QTest::newRow("US number written with plus") << "+1 212 555 0147"
                                                     << "ve"
                                                     << "" << QStringList{"+12125550147"};
        QTest::newRow("pair of eleven digits") << "020 7946 0958 0121 234 5678 01632 960123"
                                               << "sv"
                                               << "" << QStringList{"02079460958", "01212345678"};
    }
    void greatBritain() { run("GB"); }

    void germany_data() {
        Columns();
        QTest::newRow("Berlin") << "Tel. 030 12345678, (030) 901820"
                                << "ve"
                                << "*" << QStringList{"+493012345678", "+4930901820"};
        QTest::newRow("plus and 00") << "+49 30 901820, 0049 30 901820"
                                     << "ve"
                                     << "*" << QStringList{"+4930901820", "+4930901820"};
        QTest::newRow("date is no number") << "am 2024-03-15 und 15.03.2024"
                                           << "v"
                                           << "*" << QStringList{};
        QTest::newRow("date read without valid") << "2024-03-15"
                                                 << "e"
                                                 << "*" << QStringList{"+4920240315"};
        QTest::newRow("slash and a word's full stop glue") << "030/12345678 Nr.03012345678"
                                                           << "v"
                                                           << "*" << QStringList{};
        QTest::newRow("full stop parted by a blank") << "Tel. 030 12345678, Tel.-030 12345678"
                                                     << "v"
                                                     << "*" << QStringList{"03012345678"};
        QTest::newRow("mobile") << "0151 12345678"
                                << "vd"
                                << "*"
                                << QStringList{
                                       "015112345678,\"e164\":\"+4915112345678\","
                                       "\"country\":\"DE\",\"type\":\"mobile\","
                                       "\"extension\":null"};
        QTest::newRow("ISBN-13 groups") << "978-3-16-148410-0"
                                        << "v"
                                        << "*" << QStringList{};
    }
    void germany() { run("DE"); }

    void france_data() {
        Columns();
        QTest::newRow("Paris, three ways") << "01 23 45 67 89; 01.23.45.67.89; +33 1 23 45 67 89"
                                           << "ve"
                                           << "*" << QStringList(3, "+33123456789");
        QTest::newRow("mobile with 00") << "0033 6 12 34 56 78"
                                        << "ve"
                                        << "*" << QStringList{"+33612345678"};
        QTest::newRow("invalid zeros") << "00 00 00 00 00"
                                       << "v"
                                       << "*" << QStringList{};
        QTest::newRow("pair cut") << "01 23 45 67 89 06 12 34 56 78"
                                  << "sve"
                                  << "" << QStringList{"+33123456789", "+33612345678"};
        QTest::newRow("IPv4 is no number") << "10.123.45.67"
                                           << "v"
                                           << "*" << QStringList{};
    }
    void france() { run("FR"); }
};

QTEST_APPLESS_MAIN(WrittenFormsTest)
#include "test_written_forms.moc"
