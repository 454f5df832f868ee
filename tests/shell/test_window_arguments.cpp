// `tessaly`'s command line: files and folders for the input list, made absolute; --help and
// --version answered by the program itself without any display; a mistyped option refused.

#include <QProcess>
#include <QtTest>

#include "window_arguments.h"

using namespace tessaly;

using Strings = std::vector<std::string>;
using Action = WindowArguments::Action;

class WindowArgumentsTest : public QObject {
    Q_OBJECT

  private slots:
    void parse_data() {
        QTest::addColumn<Strings>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<Strings>("paths");
        QTest::newRow("none") << Strings{} << int(Action::kOpenWindow) << Strings{};
        QTest::newRow("relative and absolute, in order")
            << Strings{"a.txt", "/x/b.txt", "sub/c"} << int(Action::kOpenWindow)
            << Strings{"/home/u/a.txt", "/x/b.txt", "/home/u/sub/c"};
        QTest::newRow("a lone - is a file")
            << Strings{"-"} << int(Action::kOpenWindow) << Strings{"/home/u/-"};
        QTest::newRow("after --, names that look like options")
            << Strings{"--", "--help", "-V"} << int(Action::kOpenWindow)
            << Strings{"/home/u/--help", "/home/u/-V"};
        QTest::newRow("--help among files")
            << Strings{"a", "--help"} << int(Action::kHelp) << Strings{};
        QTest::newRow("-V") << Strings{"-V"} << int(Action::kVersion) << Strings{};
        QTest::newRow("unknown option")
            << Strings{"a", "--lengths"} << int(Action::kUsageError) << Strings{};
        QTest::newRow("unknown option, then --help")
            << Strings{"-x", "--help"} << int(Action::kHelp) << Strings{};
    }
    void parse() {
        QFETCH(Strings, arguments);
        QFETCH(int, action);
        QFETCH(Strings, paths);
        const WindowArguments parsed = ParseWindowArguments(arguments, "/home/u");
        QCOMPARE(int(parsed.action), action);
        QCOMPARE(parsed.paths, paths);
        QCOMPARE(parsed.error.empty(), action != int(Action::kUsageError));
    }

    // The program itself, with no display at all: --help and --version still answer.
    void withoutDisplay_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("start");  // of standard output, or standard error for 2
        QTest::newRow("--help") << "--help" << 0 << "Usage: tessaly [OPTION]... [FILE]...\n";
        QTest::newRow("--version") << "--version" << 0 << "tessaly ";
        QTest::newRow("unknown option, refused before the window")
            << "--bogus" << 2 << "tessaly: unknown option --bogus\n";
    }
    void withoutDisplay() {
        QFETCH(QString, argument);
        QFETCH(int, status);
        QFETCH(QString, start);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        // Qt would need a display for the usage error; the offscreen one stands in for it.
        if (status == 2) {
            env.insert("QT_QPA_PLATFORM", "offscreen");
        } else {
            env.remove("QT_QPA_PLATFORM");
        }
        const QTemporaryDir home;
        env.insert("XDG_CONFIG_HOME", home.path());
        env.insert("XDG_RUNTIME_DIR", home.path());
        program.setProcessEnvironment(env);
        program.start(qEnvironmentVariable("TESSALY_BIN_DIR") + "/tessaly", {argument});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        const QString out = QString::fromUtf8(status == 2 ? program.readAllStandardError()
                                                          : program.readAllStandardOutput());
        QVERIFY2(out.startsWith(start), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(WindowArgumentsTest)
#include "test_window_arguments.moc"
