// tessaly-extract --format: the three ways numbers are written, byte for byte, the refusal of
// an unknown format, and what each gives for a file whose read fails part-way; and the lines
// with their path and line in front (-H, -n, --mask) as the byte scanner hands them.

#include <QFile>
#include <QtTest>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "attributed_lines.h"
#include "command_line.h"
#include "extract_command.h"
#include "masked_value.h"
#include "support/failing_read.h"
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
    void readFailingPartWay_data();
    void readFailingPartWay();
    void attributedLines_data();
    void attributedLines();
};

namespace {

// The modules the built extractor loads, beside its folder.
std::string ModuleFolder() {
    return LayerModules::Below(qEnvironmentVariable("TESSALY_BIN_DIR").toStdString() + "/..");
}

// Runs the extractor on `files` with `options` (and `format`, unless empty), writing to `out`;
// the exit status.
int Extract(const std::string& format, QStringList options, const std::vector<std::string>& files,
            const std::string& out, std::vector<std::string>& errors) {
    std::vector<std::string> text{"--output", out};
    if (!format.empty()) text.insert(text.end(), {"--format", format});
    for (const QString& o : options)
        text.push_back(o.toStdString());
    text.insert(text.end(), files.begin(), files.end());
    LayerModules modules(ModuleFolder());
    const ParseOutcome parsed =
        ParseExtractArguments(std::vector<std::string_view>(text.begin(), text.end()), modules);
    RunReport report([&errors](const std::string& message) { errors.push_back(message); });
    return parsed.arguments ? RunExtract(*parsed.arguments, modules, report) : -1;
}

QByteArray Contents(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

}  // namespace

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
    LayerModules modules(ModuleFolder());
    const ParseOutcome parsed =
        ParseExtractArguments(std::vector<std::string_view>(text.begin(), text.end()), modules);
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
    QTest::newRow("lines, twenty digits")
        << "lines" << QStringList{"--lengths", "20"}
        << QByteArray("1234-5678-9012-3456-7890 or 1234-5678-9012-3456-78901\n")
        << QByteArray("12345678901234567890\n");
    QTest::newRow("table of nothing")
        << "table" << QStringList{} << none << QByteArray("Results\t\r\n");
    QTest::newRow("csv of nothing is zero bytes")
        << "csv" << QStringList{} << none << QByteArray("");
    QTest::newRow("csv, E.164 values unique")
        << "csv" << QStringList{"--country", "US", "--e164", "--unique"} << three
        << QByteArray("+15551234567,\r\n+15557654321,\r\n+12345678901\r\n");
    QTest::newRow("lines, no area code 555") << "lines" << QStringList{"--country=us", "--valid"}
                                             << three << QByteArray("12345678901\n");
    QTest::newRow("lines, a pair cut at its blank")
        << "lines" << QStringList{"--split-blanks", "--jobs=1"}
        << QByteArray("212-555-0199 212-555-0142\n") << QByteArray("2125550199\n2125550142\n");
    QTest::newRow("jsonl described")
        << "jsonl" << QStringList{"--country", "GB", "--valid"}
        << QByteArray("Tel.: +44 20 7946 0958 ext. 4, 07400 123456\n")
        << QByteArray(
               "{\"path\":\"@IN@\",\"line\":1,\"number\":\"07400123456\",\"text\":"
               "\"07400 123456\",\"e164\":\"+447400123456\",\"country\":\"GB\","
               "\"type\":\"mobile\",\"extension\":null}\n");
    QTest::newRow("jsonl described, every length")
        << "jsonl" << QStringList{"--country", "GB", "--lengths=12"}
        << QByteArray("Tel.: +44 20 7946 0958 ext. 4\n")
        << QByteArray(
               "{\"path\":\"@IN@\",\"line\":1,\"number\":\"442079460958\",\"text\":"
               "\"44 20 7946 0958\",\"e164\":\"+442079460958\",\"country\":\"GB\","
               "\"type\":\"fixed_line\",\"extension\":\"4\"}\n");
}

void TestFormatOption::output() {
    QFETCH(QString, format);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    TempFiles temp;
    const std::string in = temp.write("in.txt", input.toStdString());
    const std::string out = temp.write("out.txt", "an older, longer file that must go entirely");
    std::vector<std::string> errors;
    // grep's exit status: 1 when no number was found.
    const bool found = !QByteArray(QTest::currentDataTag()).contains("nothing");
    QCOMPARE(Extract(format.toStdString(), options, {in}, out, errors), found ? 0 : 1);
    QVERIFY(errors.empty());
    QCOMPARE(Contents(out), expected.replace("@IN@", QByteArray::fromStdString(in)));
}

// Files a, b and c; b fails after its first thousand numbers. Printed lines stay and the
// message says so; a table, comma-delimited text or --count leaves b out, also under --unique.
void TestFormatOption::readFailingPartWay_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("incomplete");
    QByteArray printed = "8777984141\n";
    for (int i = 0; i < 1000; ++i)
        printed += "2125550199\n";
    QTest::newRow("lines") << "lines" << QStringList{} << printed + "2125550199\n2125550100\n"
                           << true;
    // Pieces read before the failure are delivered also where they wait to be handed over
    // together, on one thread and on several.
    QTest::newRow("lines on one thread")
        << "lines" << QStringList{"--jobs", "1"} << printed + "2125550199\n2125550100\n"
        << true;
    QTest::newRow("lines on four threads")
        << "lines" << QStringList{"--jobs", "4"} << printed + "2125550199\n2125550100\n"
        << true;
    QTest::newRow("lines, unique") << "lines" << QStringList{"--unique"}
                                   << QByteArray("8777984141\n2125550199\n2125550100\n") << true;
    QTest::newRow("count: b counts nothing")
        << "" << QStringList{"--count"}
        << QByteArray("8777984141\t1\n2125550199\t1\n2125550100\t1\n") << false;
    QTest::newRow("count on one thread: b counts nothing")
        << "" << QStringList{"--count", "--jobs", "1"}
        << QByteArray("8777984141\t1\n2125550199\t1\n2125550100\t1\n") << false;
    QTest::newRow("csv, unique: b hides none of c")
        << "csv" << QStringList{"--unique"}
        << QByteArray("8777984141,\r\n2125550199,\r\n2125550100\r\n") << false;
    QTest::newRow("table, one thread")
        << "table" << QStringList{"--jobs", "1"}
        << QByteArray("Results   \t\r\n8777984141\t\r\n2125550199\t\r\n2125550100\t\r\n") << false;
}

void TestFormatOption::readFailingPartWay() {
    QFETCH(QString, format);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, expected);
    QFETCH(bool, incomplete);
    TempFiles temp;
    std::string b;
    for (int i = 0; i < 2000; ++i)
        b += "212-555-0199\n";
    const std::vector<std::string> files{temp.write("a.txt", "877-798-4141"),
                                         temp.write("b.txt", b),
                                         temp.write("c.txt", "212-555-0199\n212-555-0100")};
    FailReadsOf(files[1], 13000);
    std::vector<std::string> errors;
    const int status = Extract(format.toStdString(), options, files, temp.path("out.txt"), errors);
    gFailingRead.armed = false;
    QCOMPARE(status, 2);
    QCOMPARE(Contents(temp.path("out.txt")), expected);
    const std::string message = "Cannot read \"" + files[1] + "\": Input/output error";
    QCOMPARE(
        errors,
        std::vector<std::string>{
            incomplete ? message + " (the numbers already printed for this file are incomplete)"
                       : message});
}

// Each number's line is its path, its line and its value, as the byte scanner hands them in
// batches: paths about one and two words long, every width of a line's number, two numbers to a
// line, every digit count, and batches shorter and longer than the writer's groups.
void TestFormatOption::attributedLines_data() {
    QTest::addColumn<bool>("withPath");
    QTest::addColumn<bool>("withLine");
    QTest::addColumn<QString>("mask");  // empty: none
    QTest::newRow("-H -n") << true << true << "";
    QTest::newRow("-n") << false << true << "";
    QTest::newRow("-H") << true << false << "";
    QTest::newRow("-H -n --mask") << true << true << "(xxx) xxx-xxxx";
}

void TestFormatOption::attributedLines() {
    QFETCH(bool, withPath);
    QFETCH(bool, withLine);
    QFETCH(QString, mask);
    std::vector<std::size_t> lines{1, 2};
    for (std::size_t power = 10;; power *= 10) {
        lines.insert(lines.end(), {power - 1, power, power + 1});
        if (power > std::numeric_limits<std::size_t>::max() / 10) break;
    }
    lines.push_back(std::numeric_limits<std::size_t>::max());
    const std::optional<std::string> masked =
        mask.isEmpty() ? std::nullopt : std::optional<std::string>(mask.toStdString());
    TempFiles temp;
    std::string expected, scratch;
    {
        OutputFile output(temp.path("out.txt"));
        AttributedLines sink(output, withPath, withLine, masked);
        std::size_t n = 0;
        for (std::size_t length : {1u, 15u, 16u, 17u, 31u, 32u, 33u, 47u, 0u}) {
            const std::string path = length ? std::string(length, 'f') : "-";
            sink.enterFile(path);
            for (std::size_t size : {1u, 70u, 140u}) {
                ScanBatch batch;
                for (std::size_t i = 0; i < size; ++i, ++n) {
                    const std::size_t line = lines[n / 2 % lines.size()];
                    std::string value = std::to_string(10'000'000'000'000'000'000u + n * 7919);
                    value.resize(5 + n % 16);
                    batch.digitLines.append(value);
                    if (withLine) batch.lines.push_back(line);
                    if (withPath) expected += (length ? path : "(standard input)") + ":";
                    if (withLine) expected += std::to_string(line) + ":";
                    expected += std::string(MaskedValue(value, masked, scratch)) + "\n";
                }
                sink.take(batch);
            }
        }
        QCOMPARE(output.commit(), std::string());
    }
    QCOMPARE(Contents(temp.path("out.txt")), QByteArray::fromStdString(expected));
}

QTEST_GUILESS_MAIN(TestFormatOption)
#include "test_format_option.moc"
