// The path normalisers of the file adders, for backslash paths and for "/" paths.

#include <QtTest>

#include <string>

#include "path_rules.h"

using namespace tessaly;

class PathRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void removeDoubleBackslashes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one backslash") << "\\"
                                       << "\\\\";
        QTest::newRow("two backslashes") << "\\\\"
                                         << "\\\\";
        QTest::newRow("five backslashes") << "\\\\\\\\\\"
                                          << "\\\\";
        QTest::newRow("drive path unchanged") << "C:\\data\\a.txt"
                                              << "C:\\data\\a.txt";
        QTest::newRow("drive root joined with a name") << "C:\\\\a.txt"
                                                       << "C:\\a.txt";
        QTest::newRow("run of three becomes two") << "C:\\d\\\\\\a"
                                                  << "C:\\d\\\\a";
        QTest::newRow("run of four becomes two") << "C:\\d\\\\\\\\a"
                                                 << "C:\\d\\\\a";
        QTest::newRow("network path keeps its prefix") << "\\\\server\\\\share\\a"
                                                       << "\\\\server\\share\\a";
        QTest::newRow("single leading backslash gets two") << "\\data\\a"
                                                           << "\\\\data\\a";
        QTest::newRow("long leading run becomes two") << "\\\\\\\\server\\a"
                                                      << "\\\\server\\a";
        QTest::newRow("slashes untouched") << "a//b"
                                           << "a//b";
    }
    void removeDoubleBackslashes() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(RemoveDoubleBackslashes(path.toStdString())), expected);
    }

    void removeDoubleSlashes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("only slashes") << "////"
                                      << "/";
        QTest::newRow("plain path unchanged") << "/home/ann/a.txt"
                                              << "/home/ann/a.txt";
        QTest::newRow("root joined with a name") << "//a.txt"
                                                 << "/a.txt";
        QTest::newRow("leading run becomes one") << "///home/a"
                                                 << "/home/a";
        QTest::newRow("folder ending in a slash joined") << "/home/ann//a.txt"
                                                         << "/home/ann/a.txt";
        QTest::newRow("run of three becomes two") << "/d///a"
                                                  << "/d//a";
        QTest::newRow("run of four becomes two") << "/d////a"
                                                 << "/d//a";
        QTest::newRow("relative path") << "d//a"
                                       << "d/a";
        QTest::newRow("backslashes untouched") << "/d\\\\a"
                                               << "/d\\\\a";
    }
    void removeDoubleSlashes() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(RemoveDoubleSlashes(path.toStdString())), expected);
    }
};

QTEST_APPLESS_MAIN(PathRulesTest)
#include "test_path_rules.moc"
