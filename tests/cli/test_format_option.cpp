// tessaly-extract --format: the three ways numbers are written, byte for byte, and the
// refusal of an unknown format.

#include <QFile>
#include <QtTest>
#include <string>
#include <vector>

#include "command_line.h"
#include "extract_command.h"
#include "support/temp_files.h"

using namespace tessaly;
using namespace tessaly::cli;
using namespace tessaly::testing;

class TestFormatOption : public QObject {
    Q_OBJECT
  private slots:
    void parse_data();
    void parse();
    void output_data();
    void output();
};

void TestFormatOption::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("format");  // -1: refused
    QTest::addColumn<QString>("error");
    QTest::newRow("lines by default") << QStringList{"a.txt"} << int(OutputFormat::kLines) << "";
    QTest::newRow("table") << QStringList{"--format", "table", "a.txt"} << int(OutputFormat::kTable)
                           << "";
    QTest::newRow("csv with =") << QStringList{"--format=csv", "a.txt"} << int(OutputFormat::kCsv)
                                << "";
    QTest::newRow("lines named") << QStringList{"--format=lines", "a.txt"}
                                 << int(OutputFormat::kLines) << "";
    QTest::newRow("unknown") << QStringList{"--format", "xml", "a.txt"} << -1
                             << "--format: \"xml\" is not one of lines, table, csv, jsonl";
    QTest::newRow("case counts") << QStringList{"--format=CSV", "a.txt"} << -1
                                 << "--format: \"CSV\" is not one of lines, table, csv, jsonl";
    QTest::newRow("value missing")
        << QStringList{"a.txt", "--format"} << -1 << "--format needs a value";
}

void TestFormatOption::parse() {
    QFETCH(QStringList, args);
    QFETCH(int, format);
    QFETCH(QString, error);
    std::vector<std::string> text;
    for (const QString& a : args)
        text.push_back(a.toStdString());
    const ParseOutcome parsed =
        ParseExtractArguments(std::vector<std::string_view>(text.begin(), text.end()));
    QCOMPARE(parsed.arguments.has_value(), format >= 0);
    if (parsed.arguments) QCOMPARE(int(parsed.arguments->format), format);
    QCOMPARE(QString::fromStdString(parsed.error), error);
}

void TestFormatOption::output_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray three =
        "call 555-123-4567, fax (555) 765-4321\nagain 555 123 4567 or 12345678901\n";
    const QByteArray none = "nothing to find here\n";
    QTest::newRow("lines") << "lines" << QStringList{} << three
                           << QByteArray("5551234567\n5557654321\n5551234567\n12345678901\n");
    QTest::newRow("table") << "table" << QStringList{} << three
                           << QByteArray(
                                  "Results    \t\r\n5551234567 \t\r\n5557654321 \t\r\n"
                                  "5551234567 \t\r\n12345678901\t\r\n");
    QTest::newRow("csv") << "csv" << QStringList{} << three
                         << QByteArray(
                                "5551234567,\r\n5557654321,\r\n5551234567,\r\n12345678901\r\n");
    QTest::newRow("table, unique") << "table" << QStringList{"--unique"} << three
                                   << QByteArray(
                                          "Results    \t\r\n5551234567 \t\r\n5557654321 \t\r\n"
                                          "12345678901\t\r\n");
    QTest::newRow("csv, unique, one length")
        << "csv" << QStringList{"--unique", "--lengths=10"} << three
        << QByteArray("5551234567,\r\n5557654321\r\n");
    QTest::newRow("table of nothing")
        << "table" << QStringList{} << none << QByteArray("Results\t\r\n");
    QTest::newRow("csv of nothing is zero bytes")
        << "csv" << QStringList{} << none << QByteArray("");
}

void TestFormatOption::output() {
    QFETCH(QString, format);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    TempFiles temp;
    const std::string in = temp.write("in.txt", input.toStdString());
    const std::string out = temp.write("out.txt", "an older, longer file that must go entirely");
    std::vector<std::string> text{"--format", format.toStdString(), "--output", out};
    for (const QString& o : options)
        text.push_back(o.toStdString());
    text.push_back(in);
    const ParseOutcome parsed =
        ParseExtractArguments(std::vector<std::string_view>(text.begin(), text.end()));
    QVERIFY(parsed.arguments);

    std::vector<std::string> errors;
    QCOMPARE(RunExtract(*parsed.arguments, errors), 0);
    QVERIFY(errors.empty());
    QFile file(QString::fromStdString(out));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
}

QTEST_GUILESS_MAIN(TestFormatOption)
#include "test_format_option.moc"
