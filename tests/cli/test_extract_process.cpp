// tessaly-extract run as a user runs it: output, exit status and messages.

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

#include "support/temp_files.h"

using tessaly::testing::TempFiles;

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome Run(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("TESSALY_BIN_DIR") + "/tessaly-extract", args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

class ExtractProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void extracts_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("defaults 10 and 11") << QStringList{}
                                            << QByteArray(
                                                   "8777984141\n18005550199\n8777984141\n"
                                                   "4155550123\n");
        QTest::newRow("lengths 7") << QStringList{"--lengths", "7"} << QByteArray("5551234\n");
        QTest::newRow("lengths 7,10 with =") << QStringList{"--lengths=7,10"}
                                             << QByteArray(
                                                    "8777984141\n5551234\n8777984141\n"
                                                    "4155550123\n");
        QTest::newRow("require dash")
            << QStringList{"--require", "-"} << QByteArray("8777984141\n18005550199\n8777984141\n");
        QTest::newRow("require empty text") << QStringList{"--require", ""}
                                            << QByteArray(
                                                   "8777984141\n18005550199\n"
                                                   "8777984141\n4155550123\n");
        QTest::newRow("unique") << QStringList{"--unique"}
                                << QByteArray("8777984141\n18005550199\n4155550123\n");
        QTest::newRow("one job") << QStringList{"--jobs", "1"}
                                 << QByteArray(
                                        "8777984141\n18005550199\n8777984141\n"
                                        "4155550123\n");
    }

    void extracts() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, expected);
        TempFiles files;
        const std::string a = files.write("a.txt", "Call 877-798-4141 or 1-800-555-0199.\r\n");
        const std::string b = files.write("b.txt", "\xFF\xFE" + std::string("5\0005\0005\0-\0"
                                                                            "1\0"
                                                                            "2\0003\0004\0 \0",
                                                                            18));
        const std::string c = files.write("c.txt",
                                          "\xEF\xBB\xBF"
                                          "(877) 798-4141\n415.555.0123");
        const Outcome r = Run(options + QStringList{Q(a), Q(b), Q(c)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, expected);
        QCOMPARE(r.err, QByteArray());
    }

    // A file that cannot be read is named with its reason; the others are still extracted.
    void unreadableFiles() {
        TempFiles files;
        const std::string a = files.write("a.txt", "877-798-4141");
        const std::string missing = files.path("missing.txt");
        const std::string fifo = files.path("pipe");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        const Outcome r = Run({Q(missing), Q(fifo), Q(a)});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QByteArray("8777984141\n"));
        QVERIFY(r.err.contains(QByteArray::fromStdString("\"" + missing + "\": No such file")));
        QVERIFY(r.err.contains("it is a named pipe (FIFO), not a file"));
    }

    // A folder stands for its files and those of its subfolders, level by level; --ext keeps
    // one extension, like the folder import.
    void folders_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("every file") << QStringList{}
                                    << QByteArray(
                                           "2125550101\n2125550102\n2125550103\n"
                                           "2125550104\n");
        QTest::newRow("txt only") << QStringList{"--ext", "txt"}
                                  << QByteArray("2125550101\n2125550103\n");
        QTest::newRow("txt written with its dot")
            << QStringList{"--ext", ".txt"} << QByteArray("2125550101\n2125550103\n");
        QTest::newRow("star") << QStringList{"--ext=*"}
                              << QByteArray(
                                     "2125550101\n2125550102\n2125550103\n"
                                     "2125550104\n");
    }

    void folders() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, expected);
        TempFiles files;
        QVERIFY(QDir().mkpath(Q(files.path("tree/sub/deeper"))));
        files.write("tree/b.txt", "212-555-0101");
        files.write("tree/c.csv", "212-555-0102");
        files.write("tree/sub/a.txt", "212-555-0103");
        files.write("tree/sub/deeper/notes", "212-555-0104");
        const Outcome r = Run(options + QStringList{Q(files.path("tree"))});
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, expected);
    }

    void badUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("no file") << QStringList{} << QByteArray("no input file given");
        QTest::newRow("unknown option")
            << QStringList{"--fast", "x"} << QByteArray("unknown option --fast");
        QTest::newRow("short unknown") << QStringList{"-x", "f"} << QByteArray("unknown option -x");
        QTest::newRow("unknown with a value")
            << QStringList{"--color=never", "f"} << QByteArray("unknown option --color\n");
        QTest::newRow("length 4") << QStringList{"--lengths", "4", "f"} << QByteArray("\"4\"");
        QTest::newRow("length 21")
            << QStringList{"--lengths", "10,21", "f"} << QByteArray("\"21\"");
        QTest::newRow("length empty item")
            << QStringList{"--lengths", "10,", "f"} << QByteArray("\"\"");
        QTest::newRow("jobs zero") << QStringList{"--jobs", "0", "f"} << QByteArray("--jobs");
        QTest::newRow("missing value")
            << QStringList{"f", "--output"} << QByteArray("needs a value");
        QTest::newRow("value on flag")
            << QStringList{"--unique=1", "f"} << QByteArray("takes no value");
    }

    void badUsage() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, message);
        const Outcome r = Run(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(r.err.contains("Usage: tessaly-extract"));
        QCOMPARE(r.out, QByteArray());
    }

    void helpAndVersion() {
        Outcome r = Run({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Usage: tessaly-extract"));
        r = Run({"--version"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("tessaly-extract "));
    }

    // A name after "--" is a file even when it looks like an option.
    void optionsEnd() {
        TempFiles files;
        files.write("--unique", "555-123-4567");
        QProcess p;
        p.setWorkingDirectory(Q(files.folder()));
        p.start(qEnvironmentVariable("TESSALY_BIN_DIR") + "/tessaly-extract", {"--", "--unique"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), QByteArray("5551234567\n"));
    }

    // --output replaces a file only once everything was written, and leaves nothing behind.
    void outputFile() {
        TempFiles files;
        const std::string a = files.write("a.txt", "877-798-4141");
        const std::string target = files.write("out.txt", "old contents");
        Outcome r = Run({"--output", Q(target), Q(a)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray());
        QFile f(Q(target));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("8777984141\n"));
        f.close();
        r = Run({"--output", Q(files.folder()), Q(a)});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("it is a folder"));
        r = Run({"--output", Q(files.path("no/such/folder/out.txt")), Q(a)});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("No such file or directory"));
        QCOMPARE(QDir(Q(files.folder())).entryList(QDir::Files).size(), 2);  // a.txt, out.txt
    }

    // Every option the usage names has an entry of its own in the manual page.
    void manualListsEveryOption() {
        const Outcome help = Run({"--help"});
        QCOMPARE(help.status, 0);
        QFile page(qEnvironmentVariable("TESSALY_MAN_DIR") + "/tessaly-extract.1");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll());
        QStringList options;
        for (const QRegularExpressionMatch& m :
             QRegularExpression("--([a-z]+)").globalMatch(QString::fromUtf8(help.out))) {
            options << m.captured(1);
        }
        options.removeDuplicates();
        QCOMPARE(options.size(), 9);
        for (const QString& option : options) {
            const QRegularExpression entry("^\\.TP\n\\.BI? \\\\-\\\\-" + option + "\\b",
                                           QRegularExpression::MultilineOption);
            QVERIFY2(manual.contains(entry), qPrintable("--" + option + " is missing"));
        }
    }
};

QTEST_GUILESS_MAIN(ExtractProcessTest)
#include "test_extract_process.moc"
