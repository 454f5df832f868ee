// The shell launcher hands the desktop exactly the folder or address it is given: a folder's
// bytes survive whatever characters its name holds, and nothing goes through a command line.
// The desktop's handlers are replaced by this test, so nothing is really opened.

#include <QDesktopServices>
#include <QUrl>
#include <QtTest>
#include <string>

#include "qt_shell_launcher.h"

using namespace tessaly;

class ShellLauncherTest : public QObject {
    Q_OBJECT

  public slots:
    void opened(const QUrl& url) { urls_ << url; }

  private slots:
    void init() {
        urls_.clear();
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "opened");
    }
    void cleanup() {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void folders_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("opened");
        QTest::newRow("plain") << QByteArray("/opt/tessaly/Samples/") << true;
        QTest::newRow("blanks and marks of addresses")
            << QByteArray("/opt/a b/#x?y=1&z;%41/Samples/") << true;
        QTest::newRow("shell syntax") << QByteArray("/opt/$(touch x)`y`|;'\"/Samples/") << true;
        QTest::newRow("bytes that are no UTF-8") << QByteArray("/opt/t\xFF\xFE/Samples/") << true;
        QTest::newRow("accented") << QByteArray("/opt/caf\xC3\xA9/Samples/") << true;
        QTest::newRow("relative path") << QByteArray("Samples/") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void folders() {
        QFETCH(QByteArray, path);
        QFETCH(bool, opened);
        QtShellLauncher launcher;
        QCOMPARE(launcher.openFolder(path.toStdString()), opened);
        QCOMPARE(urls_.size(), opened ? 1 : 0);
        if (!opened) return;
        const QUrl& url = urls_.front();
        QCOMPARE(url.scheme(), QStringLiteral("file"));
        QVERIFY(url.host().isEmpty());
        QCOMPARE(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()), path);
    }

    void webAddresses_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opened");
        QTest::newRow("web page") << "https://tessaly.example/format-numbers" << true;
        QTest::newRow("no address") << "" << false;
        QTest::newRow("relative") << "format-numbers" << false;
        QTest::newRow("broken") << "https://exa mple.org/" << false;
    }
    void webAddresses() {
        QFETCH(QString, address);
        QFETCH(bool, opened);
        QCOMPARE(QtShellLauncher().openWebAddress(address.toStdString()), opened);
        QCOMPARE(urls_.size(), opened ? 1 : 0);
        if (opened) QCOMPARE(urls_.front().toString(), address);
    }

  private:
    QList<QUrl> urls_;
};

QTEST_MAIN(ShellLauncherTest)
#include "test_qt_shell_launcher.moc"
