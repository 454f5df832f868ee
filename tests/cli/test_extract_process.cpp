// tessaly-extract run as a user runs it: output, exit status and messages.

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "layer_modules.h"
#include "support/temp_files.h"

using tessaly::cli::LayerModules;
using tessaly::testing::TempFiles;

namespace {

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QString Extractor() {
    return qEnvironmentVariable("TESSALY_BIN_DIR") + "/tessaly-extract";
}

// `program` run with `args` in `folder` (unless empty) and `environment`.
Outcome RunProgram(const QString& program, const QStringList& args, const QString& folder,
                   const QProcessEnvironment& environment) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.setProcessEnvironment(environment);
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// Standard input is `input`, closed after it.
Outcome Run(const QStringList& args, const QByteArray& input = {}, const QString& folder = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(Extractor(), args);
    p.write(input);
    p.closeWriteChannel();
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
        QTest::newRow("E.164 counted over files")
            << QStringList{"--country", "US", "--e164", "--count"}
            << QByteArray("+18777984141\t2\n+18005550199\t1\n+14155550123\t1\n");
        QTest::newRow("one job") << QStringList{"--jobs", "1"}
                                 << QByteArray(
                                        "8777984141\n18005550199\n8777984141\n"
                                        "4155550123\n");
        QTest::newRow("nothing found") << QStringList{"--lengths", "20"} << QByteArray();
        QTest::newRow("nothing counted") << QStringList{"--count", "--lengths=20"} << QByteArray();
        QTest::newRow("table of nothing")
            << QStringList{"--format", "table", "--lengths=20"} << QByteArray("Results\t\r\n");
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
        // As grep: 0 when a number was written, 1 when none was found.
        QCOMPARE(r.status, QRegularExpression("[0-9]").match(expected).hasMatch() ? 0 : 1);
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
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QByteArray("8777984141\n"));
        QVERIFY(r.err.contains(QByteArray::fromStdString("\"" + missing + "\": No such file")));
        QVERIFY(r.err.contains("it is a named pipe (FIFO), not a file"));
    }

    // A file that is not text is skipped with a notice, which is no failure; a document is read.
    void skippedFiles() {
        TempFiles files;
        files.write("x.bin", std::string("\x7f"
                                         "ELF\0 877-798-4141",
                                         18));
        files.write("a.html", "<p>877-798-4141</p><script>877-798-4142</script>");
        const Outcome r = Run({"x.bin", "a.html"}, {}, Q(files.folder()));
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("8777984141\n"));
        QCOMPARE(r.err, QByteArray("tessaly-extract: x.bin: not a text file or a document Tessaly "
                                   "reads; skipped\n"));
    }

    // The document readers and the number rules are loaded only by a run that needs them: the
    // dynamic linker's log (LD_DEBUG=files) names every library and module loaded.
    void loadsOnlyWhatIsNeeded_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("documents");  // the readers' module and libxml2 loaded
        QTest::addColumn<bool>("numbers");    // the rules' module and libphonenumber loaded
        QTest::newRow("text") << QStringList{"a.txt"} << false << false;
        QTest::newRow("UTF-16 with its mark") << QStringList{"w.txt"} << false << false;
        QTest::newRow("UTF-16 without a mark") << QStringList{"u.txt"} << false << false;
        QTest::newRow("not text, skipped") << QStringList{"a.txt", "x.bin"} << false << false;
        QTest::newRow("not text, read") << QStringList{"--binary", "x.bin"} << false << false;
        QTest::newRow("a web page") << QStringList{"a.txt", "d.html"} << true << false;
        QTest::newRow("a zip that is no document")
            << QStringList{"a.txt", "z.zip"} << true << false;
        QTest::newRow("a country") << QStringList{"--country=US", "a.txt"} << false << true;
        QTest::newRow("split at blanks") << QStringList{"--split-blanks", "a.txt"} << false << true;
        QTest::newRow("both") << QStringList{"--country=US", "d.html"} << true << true;
    }

    void loadsOnlyWhatIsNeeded() {
        QFETCH(QStringList, args);
        QFETCH(bool, documents);
        QFETCH(bool, numbers);
        TempFiles files;
        files.write("a.txt", "Call 877-798-4141 or 1-800-555-0199.\n");
        files.write("w.txt", std::string("\xFF\xFE"
                                         "8\0007\0007\0-\0007\0009\0008\0-\0004\0001\0004\0001\0",
                                         26));
        files.write("u.txt",
                    std::string("8\0007\0007\0-\0007\0009\0008\0-\0004\0001\0004\0001\0", 24));
        files.write("x.bin", std::string("\x7f"
                                         "ELF\0 877-798-4141",
                                         18));
        files.write("d.html", "<p>877-798-4141</p>");
        files.write("z.zip", std::string("PK\3\4 877-798-4141", 18));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "files");
        const Outcome r = RunProgram(Extractor(), args, Q(files.folder()), environment);
        QVERIFY2(r.status == 0 || args.contains("z.zip"), r.err.constData());
        QVERIFY2(r.out.startsWith("8777984141\n") || r.out.startsWith("+18777984141\n"),
                 r.out.constData());
        QCOMPARE(r.err.contains("/document-readers.so"), documents);
        QCOMPARE(r.err.contains("file=libxml2.so"), documents);
        QCOMPARE(r.err.contains("/number-rules.so"), numbers);
        QCOMPARE(r.err.contains("file=libphonenumber.so"), numbers);
    }

    // An extractor whose modules are missing or broken (here a copy of it in a folder of its
    // own, whose lib/tessaly each row fills) still reads text; each document fails with its path
    // and why, and the run goes on; a number option cannot start the run.
    void brokenModules_data() {
        QTest::addColumn<QString>("modules");  // "none", "not a module", "another's", "built"
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");  // {lib}: the modules' folder
        const QStringList run{"a.txt", "d.html", "x.bin", "e.html", "c.txt"};
        const QByteArray read("8777984141\n4155550123\n");
        const QByteArray skipped(
            "tessaly-extract: x.bin: not a text file or a document Tessaly reads; skipped\n");
        const auto documents = [&](const QByteArray& reason) {
            const QByteArray failed("\": the document readers could not be loaded: {lib}/" +
                                    reason + "\n");
            return "tessaly-extract: Cannot read \"d.html" + failed + skipped +
                   "tessaly-extract: Cannot read \"e.html" + failed;
        };
        const QByteArray noRules(
            "tessaly-extract: the number rules could not be loaded: {lib}/number-rules.so: "
            "cannot open shared object file: No such file or directory\n");
        QTest::newRow("documents, no module")
            << "none" << run << 2 << read
            << documents(
                   "document-readers.so: cannot open shared object file: No such file or "
                   "directory");
        QTest::newRow("documents, not a module")
            << "not a module" << run << 2 << read
            << documents("document-readers.so: invalid ELF header");
        QTest::newRow("documents, another layer's module")
            << "another's" << run << 2 << read
            << documents("document-readers.so: it has no entry tessaly_document_readers_entry");
        QTest::newRow("text only, no module")
            << "none" << QStringList{"a.txt", "x.bin", "c.txt"} << 0 << read << skipped;
        QTest::newRow("a country, no module")
            << "none" << QStringList{"--country=US", "a.txt"} << 2 << QByteArray() << noRules;
        QTest::newRow("an unknown country, no module")
            << "none" << QStringList{"--country=XX", "a.txt"} << 2 << QByteArray() << noRules;
        QTest::newRow("split at blanks, another layer's module")
            << "another's" << QStringList{"--split-blanks", "a.txt"} << 2 << QByteArray()
            << noRules;
        QTest::newRow("both, modules copied with it")
            << "built" << QStringList{"--country=US", "--e164", "a.txt", "d.html", "x.bin"} << 0
            << QByteArray("+18777984141\n+12125550101\n") << skipped;
    }

    void brokenModules() {
        QFETCH(QString, modules);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        TempFiles files;
        const QString root = QFileInfo(Q(files.folder())).canonicalFilePath();
        const QString built =
            Q(LayerModules::Below(qEnvironmentVariable("TESSALY_BIN_DIR").toStdString() + "/..")) +
            "/";
        const QString lib = Q(LayerModules::Below(root.toStdString()));
        QVERIFY(QDir().mkpath(root + "/bin"));
        QVERIFY(QFile::copy(Extractor(), root + "/bin/tessaly-extract"));
        if (modules != "none") QVERIFY(QDir().mkpath(lib));
        if (modules == "not a module") {
            QFile garbage(lib + "/document-readers.so");
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write(QByteArray(1024, 'x'));
        } else if (modules == "another's") {
            QVERIFY(QFile::copy(built + "number-rules.so", lib + "/document-readers.so"));
        } else if (modules == "built") {
            for (const QString name : {"document-readers.so", "number-rules.so"})
                QVERIFY(QFile::copy(built + name, lib + "/" + name));
        }
        files.write("a.txt", "Call 877-798-4141.\n");
        files.write("c.txt", "415.555.0123");
        files.write("d.html", "<p>212-555-0101</p>");
        files.write("e.html", "<p>212-555-0102</p>");
        files.write("x.bin", std::string("\x7f"
                                         "ELF\0 877-798-4141",
                                         18));
        const Outcome r = RunProgram(root + "/bin/tessaly-extract", args, root,
                                     QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.err, QByteArray(err).replace("{lib}", lib.toUtf8()));
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, status);
    }

    // Without /proc (a chroot that did not mount it), the modules are found from the path the
    // extractor was started by. /proc is hidden in a mount namespace of the test's own.
    void modulesWithoutProc_data() {
        QTest::addColumn<QString>("command");  // run by sh in the build's bin folder
        QTest::newRow("absolute path") << "\"$PWD/tessaly-extract\"";
        QTest::newRow("relative path") << "./tessaly-extract";
        QTest::newRow("found on PATH") << "PATH=\"$PWD:$PATH\" tessaly-extract";
    }

    void modulesWithoutProc() {
        QFETCH(QString, command);
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        QSKIP("the sanitizers themselves read /proc");
#endif
        if (::geteuid() != 0 || QStandardPaths::findExecutable("unshare").isEmpty())
            QSKIP("hiding /proc needs root and unshare");
        // A machine that allows no mount namespace (a container without the right to make one)
        // cannot hide /proc from the extractor: nothing to check there.
        const Outcome probe = RunProgram(
            "unshare", {"--mount", "--fork", "sh", "-c", "mount -t tmpfs none /proc"},
            qEnvironmentVariable("TESSALY_BIN_DIR"), QProcessEnvironment::systemEnvironment());
        if (probe.status != 0) QSKIP("this machine allows no mount namespace to hide /proc in");
        TempFiles files;
        const std::string page = files.write("d.html", "<p>212-555-0101</p>");
        const QString script = "mount -t tmpfs none /proc && test ! -e /proc/self && " + command +
                               " --country=US --e164 \"$0\"";
        const Outcome r = RunProgram("unshare", {"--mount", "--fork", "sh", "-c", script, Q(page)},
                                     qEnvironmentVariable("TESSALY_BIN_DIR"),
                                     QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, QByteArray("+12125550101\n"));
        QCOMPARE(r.status, 0);
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
        QTest::newRow("txt written as a glob")
            << QStringList{"--ext", "*.txt"} << QByteArray("2125550101\n2125550103\n");
        QTest::newRow("a list, either extension")
            << QStringList{"--ext", "csv,.txt"}
            << QByteArray("2125550101\n2125550102\n2125550103\n");
        QTest::newRow("repeated: the union") << QStringList{"--ext", "txt", "--ext=*.csv"}
                                             << QByteArray("2125550101\n2125550102\n2125550103\n");
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
        QTest::newRow("empty mask")
            << QStringList{"--mask", "", "f"} << QByteArray("mask is empty");
        QTest::newRow("mask without x")
            << QStringList{"--mask=(XXX)", "f"} << QByteArray("\"(XXX)\" has no x");
        QTest::newRow("count with -n") << QStringList{"--count", "-n", "f"}
                                       << QByteArray("--count cannot be combined with -n");
        QTest::newRow("count with -H") << QStringList{"-H", "--count", "f"}
                                       << QByteArray("--count cannot be combined with -H");
        QTest::newRow("count with unique")
            << QStringList{"--count", "--unique", "f"} << QByteArray("with --unique");
        QTest::newRow("count with format")
            << QStringList{"--count", "--format=jsonl", "f"} << QByteArray("no --format");
        QTest::newRow("count with the format it writes")
            << QStringList{"--format", "lines", "--count", "f"} << QByteArray("no --format");
        QTest::newRow("require twice")
            << QStringList{"--require", "-", "--require=(", "f"} << QByteArray("--require can");
        QTest::newRow("lengths twice")
            << QStringList{"--lengths=10", "--lengths", "7", "f"} << QByteArray("--lengths can");
        QTest::newRow("ext with an empty item")
            << QStringList{"--ext", "txt,", "f"} << QByteArray("--ext needs");
        QTest::newRow("table with -n")
            << QStringList{"-n", "--format=table", "f"} << QByteArray("hold bare digits");
        QTest::newRow("stdin twice")
            << QStringList{"--files-from", "-", "-"} << QByteArray("standard input cannot");
        QTest::newRow("short bundle unknown")
            << QStringList{"-Hq", "f"} << QByteArray("unknown option -q");
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
        QTest::newRow("valid without a country")
            << QStringList{"--valid", "f"} << QByteArray("give --country too");
        QTest::newRow("country unknown")
            << QStringList{"--country=XX", "f"} << QByteArray("\"XX\" is not a country code");
        QTest::newRow("country twice") << QStringList{"--country=US", "--country", "GB", "f"}
                                       << QByteArray("--country can be given only once");
        QTest::newRow("country missing")
            << QStringList{"f", "--country"} << QByteArray("--country needs a value");
    }

    void badUsage() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, message);
        const Outcome r = Run(args);
        QCOMPARE(r.status, 2);
        // The reason on one line, then where to find the usage: nothing else.
        QVERIFY2(r.err.startsWith("tessaly-extract: "), r.err.constData());
        QVERIFY2(r.err.indexOf(message) < r.err.indexOf('\n'), r.err.constData());
        QVERIFY2(r.err.endsWith("\nTry 'tessaly-extract --help'.\n"), r.err.constData());
        QCOMPARE(r.err.count('\n'), 2);
        QCOMPARE(r.out, QByteArray());
    }

    // Where each number came from and how it was written: the options of one run each, on
    // files named relative to the working folder.
    void written_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const QStringList a{"a.txt"};
        QTest::newRow("path and line") << QStringList{"-Hn", "a.txt", "b.txt"} << QByteArray()
                                       << QByteArray(
                                              "a.txt:1:8777984141\na.txt:3:18005550199\n"
                                              "a.txt:5:8777984141\nb.txt:2:4155550123\n");
        QTest::newRow("lines, utf-16 mark") << QStringList{"-n", "c.txt"} << QByteArray()
                                            << QByteArray("1:5551234567\n3:4155550123\n");
        QTest::newRow("jsonl") << QStringList{"--format", "jsonl", "b.txt"} << QByteArray()
                               << QByteArray(
                                      "{\"path\":\"b.txt\",\"line\":2,\"number\":"
                                      "\"4155550123\",\"text\":\"415 555 0123\"}\n");
        // A number found in a document says where; a text file after it says nothing.
        QTest::newRow("jsonl, where in a document")
            << QStringList{"--format", "jsonl", "m.mbox", "b.txt"} << QByteArray()
            << QByteArray(
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"8777984141\",\"text\":"
                   "\"877-798-4141\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"4155550123\",\"text\":"
                   "\"415 555 0123\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":8,\"number\":\"8777984141\",\"text\":"
                   "\"877 798 4141\",\"where\":\"message 2\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":9,\"number\":\"2125550100\",\"text\":"
                   "\"212-555-0100\",\"where\":\"message 2, attachment card.txt\"}\n"
                   "{\"path\":\"b.txt\",\"line\":2,\"number\":\"4155550123\",\"text\":"
                   "\"415 555 0123\"}\n");
        // The numbers kept keep their places (the first of the second message's is not kept);
        // read as written, each carries its own.
        QTest::newRow("jsonl unique, where")
            << QStringList{"--format=jsonl", "--unique", "m.mbox"} << QByteArray()
            << QByteArray(
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"8777984141\",\"text\":"
                   "\"877-798-4141\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"4155550123\",\"text\":"
                   "\"415 555 0123\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":9,\"number\":\"2125550100\",\"text\":"
                   "\"212-555-0100\",\"where\":\"message 2, attachment card.txt\"}\n");
        QTest::newRow("jsonl as written, where")
            << QStringList{"--format=jsonl", "--keep-plus", "--lengths=10", "m.mbox"}
            << QByteArray()
            << QByteArray(
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"8777984141\",\"text\":"
                   "\"877-798-4141\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"4155550123\",\"text\":"
                   "\"415 555 0123\",\"where\":\"message 1\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":8,\"number\":\"8777984141\",\"text\":"
                   "\"877 798 4141\",\"where\":\"message 2\"}\n"
                   "{\"path\":\"m.mbox\",\"line\":9,\"number\":\"2125550100\",\"text\":"
                   "\"212-555-0100\",\"where\":\"message 2, attachment card.txt\"}\n");
        // The number options' stage keeps the place of each number it judges.
        QTest::newRow("jsonl described, where")
            << QStringList{"--format=jsonl", "--country=US", "--require=-", "--unique", "m.mbox"}
            << QByteArray()
            << QByteArray(
                   "{\"path\":\"m.mbox\",\"line\":4,\"number\":\"8777984141\",\"text\":"
                   "\"877-798-4141\",\"where\":\"message 1\",\"e164\":\"+18777984141\","
                   "\"country\":\"US\",\"type\":\"toll_free\",\"extension\":null}\n"
                   "{\"path\":\"m.mbox\",\"line\":9,\"number\":\"2125550100\",\"text\":"
                   "\"212-555-0100\",\"where\":\"message 2, attachment "
                   "card.txt\",\"e164\":\"+12125550100\","
                   "\"country\":\"US\",\"type\":\"fixed_line_or_mobile\",\"extension\":null}\n");
        QTest::newRow("count") << (QStringList{"--count"} + a) << QByteArray()
                               << QByteArray("8777984141\t2\n18005550199\t1\n");
        QTest::newRow("plus and mask")
            << (QStringList{"--keep-plus", "--mask", "x (xxx) xxx-xxxx", "--unique"} + a)
            << QByteArray() << QByteArray("8777984141\n1 (800) 555-0199\n");  // the mask drops "+"
        QTest::newRow("mask unique after masking")
            << (QStringList{"--mask=xxx-xxx-xxxx", "--unique"} + a) << QByteArray()
            << QByteArray("877-798-4141\n18005550199\n");
        QTest::newRow("separators ignored")
            << QStringList{"u.txt", "w.txt"} << QByteArray() << QByteArray();
        QTest::newRow("separators utf-8 and 8-bit")
            << QStringList{"--unicode-separators", "--require=-", "u.txt", "w.txt"} << QByteArray()
            << QByteArray("5551234567\n4155550123\n2125550100\n");
        QTest::newRow("jsonl separators, bad path")
            << QStringList{"--format=jsonl", "--unicode-separators", "--files-from=-"}
            << QByteArray("u\xff.txt")
            << QByteArray(
                   "{\"path\":\"u\xef\xbf\xbd.txt\",\"line\":1,\"number\":\"4155550123\","
                   "\"text\":\"\xef\xbc\x94\xef\xbc\x91\xef\xbc\x95\xe2\x80\x91"
                   "555\xc2\xa0"
                   "0123\"}\n");
        QTest::newRow("no path reads stdin") << QStringList{"-H"} << QByteArray("877-798-4141")
                                             << QByteArray("(standard input):8777984141\n");
        QTest::newRow("stdin mark, among files")
            << QStringList{"-n", "b.txt", "-"} << QByteArray("\xef\xbb\xbf\n555-123-4567")
            << QByteArray("2:4155550123\n2:5551234567\n");
        QTest::newRow("separators from a pipe") << QStringList{"--unicode-separators", "-"}
                                                << QByteArray(
                                                       "555\xe2\x80\x93"
                                                       "1234567")
                                                << QByteArray("5551234567\n");
        QTest::newRow("not text, read with --binary")
            << QStringList{"--binary", "-n", "z.bin"} << QByteArray()
            << QByteArray("2:5551234567\n");
        QTest::newRow("files from, NUL")
            << QStringList{"-0", "--files-from", "-", "-H"} << QByteArray("b.txt\0n\nl.txt\0", 14)
            << QByteArray("b.txt:4155550123\nn\nl.txt:4155550199\n");
        QTest::newRow("files from, lines")
            << QStringList{"--files-from=-", "--count"} << QByteArray("a.txt\nb.txt\n")
            << QByteArray("8777984141\t2\n18005550199\t1\n4155550123\t1\n");
        QTest::newRow("files from, after the named, empty entries, no last end")
            << QStringList{"-H", "b.txt", "--files-from=-"} << QByteArray("\n\nb.txt")
            << QByteArray("b.txt:4155550123\nb.txt:4155550123\n");
    }

    void written() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        TempFiles files;
        files.write("a.txt", "Call 877-798-4141 or\r\n\r\n+1-800-555-0199.\r\r877.798.4141\n");
        files.write("b.txt", "\n415 555 0123\r\n");
        files.write(
            "m.mbox",
            "From a@example.com Mon Dec  7 10:00:00 2026\nFrom: a@example.com\nSubject: one\n\n"
            "Call 877-798-4141 or 415 555 0123\n\n"
            "From b@example.com Mon Dec  7 11:00:00 2026\nFrom: b@example.com\nSubject: two\n"
            "Content-Type: multipart/mixed; boundary=\"b\"\n\n--b\nContent-Type: text/plain\n\n"
            "Call 877 798 4141 or\n--b\nContent-Type: text/plain\n"
            "Content-Disposition: attachment; filename=\"card.txt\"\n\n212-555-0100\n--b--\n");
        files.write("c.txt", std::string("\xFF\xFE"
                                         "5\0"
                                         "5\0"
                                         "5\0"
                                         "-\0"
                                         "1\0"
                                         "2\0"
                                         "3\0"
                                         "4\0"
                                         "5\0"
                                         "6\0"
                                         "7\0"
                                         "\r\0"
                                         "\n\0"
                                         "\r\0"
                                         "4\0"
                                         "1\0"
                                         "5\0"
                                         "5\0"
                                         "5\0"
                                         "5\0"
                                         "0\0"
                                         "1\0"
                                         "2\0"
                                         "3\0",
                                         50));
        // UTF-8 without a mark: a non-breaking hyphen and full-width digits, a no-break space.
        files.write("u.txt",
                    "555\xe2\x80\x91"
                    "123\xe2\x80\x91"
                    "4567, \xef\xbc\x94\xef\xbc\x91\xef\xbc\x95"
                    "\xe2\x80\x91"
                    "555\xc2\xa0"
                    "0123");
        files.write("u\xff.txt",
                    "\xef\xbc\x94\xef\xbc\x91\xef\xbc\x95\xe2\x80\x91"
                    "555\xc2\xa0"
                    "0123");
        files.write("n\nl.txt", "415 555 0199");
        files.write("z.bin", std::string("\x7f"
                                         "ELF\0\1\n555-123-4567",
                                         20));
        // Windows-1252: an en dash and a no-break space.
        files.write("w.txt",
                    "212\x96"
                    "555\xa0"
                    "0100");
        const Outcome r = Run(args, input, Q(files.folder()));
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.status, expected.isEmpty() ? 1 : 0);
        QCOMPARE(r.out, expected);
    }

    // Spread over several workers with GNU parallel (local ones here), the merged output in
    // --keep-order is that of one run over the same list.
    void parallelRecipe() {
        TempFiles files;
        QVERIFY(QDir().mkpath(Q(files.path("tree/sub"))));
        for (int f = 0; f < 60; ++f) {
            std::string text;
            for (int n = 0; n <= f % 7; ++n)
                text += "tel. 212-555-" + std::to_string(1000 + f * 10 + n) + "\n";
            files.write((f % 2 ? "tree/sub/" : "tree/") + std::to_string(f) + " x.txt", text);
        }
        const QString list = "find tree -type f -print0 | sort -z";
        const QString one = list + " | '" + Extractor() + "' -H -0 --files-from -";
        const QString spread =
            list + " | parallel --pipe --recend '\\0' --block 200 --keep-order -S 2/: '" +
            Extractor() + "' -H -0 --files-from -";
        QProcess p;
        p.setWorkingDirectory(Q(files.folder()));
        p.start("bash", {"-o", "pipefail", "-c", one});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray expected = p.readAllStandardOutput();
        QCOMPARE(expected.count('\n'), 60 / 7 * 28 + 1 + 2 + 3 + 4);
        p.start("bash", {"-o", "pipefail", "-c", spread});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), expected);
    }

    void helpAndVersion() {
        Outcome r = Run({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Usage: tessaly-extract"));
        r = Run({"--version"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("tessaly-extract "));
        QCOMPARE(Run({"-h"}).out, Run({"--help"}).out);
        QCOMPARE(Run({"-V"}).out, r.out);
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
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("it is a folder"));
        r = Run({"--output", Q(files.path("no/such/folder/out.txt")), Q(a)});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("No such file or directory"));
        QCOMPARE(QDir(Q(files.folder())).entryList(QDir::Files).size(), 2);  // a.txt, out.txt
    }

    // Every option the usage names has an entry of its own in the manual page and on the home
    // page: `entry` is the pattern of one, %1 standing for the option's name after "--".
    void documentsListEveryOption_data() {
        QTest::addColumn<QString>("document");  // below the source tree's man/
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("dash");  // how the document writes "-"
        QTest::newRow("manual page") << "tessaly-extract.1"
                                     << "^\\.TP\n\\.B[IR]? [^\n]*\\\\-\\\\-%1\\b"
                                     << "\\\\-";
        QTest::newRow("home page") << "../data/home.html"
                                   << "<tr><td><code>(-[a-zA-Z0-9], )?--%1\\b"
                                   << "-";
    }
    void documentsListEveryOption() {
        QFETCH(QString, document);
        QFETCH(QString, entry);
        QFETCH(QString, dash);
        const Outcome help = Run({"--help"});
        QCOMPARE(help.status, 0);
        QFile page(qEnvironmentVariable("TESSALY_MAN_DIR") + "/" + document);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QStringList options;
        for (const QRegularExpressionMatch& m : QRegularExpression("--([a-z][a-z0-9]*(?:-[a-z]+)*)")
                                                    .globalMatch(QString::fromUtf8(help.out))) {
            options << m.captured(1);
        }
        options.removeDuplicates();
        QCOMPARE(options.size(), 22);
        for (const QString& option : options) {
            const QRegularExpression pattern(entry.arg(QString(option).replace("-", dash)),
                                             QRegularExpression::MultilineOption);
            QVERIFY2(text.contains(pattern), qPrintable("--" + option + " is missing"));
        }
    }
};

QTEST_GUILESS_MAIN(ExtractProcessTest)
#include "test_extract_process.moc"
