// The settings file: exact round trips, missing keys, hand-edited and broken files, and a
// location that cannot be written.

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>
#include <string>

#include "qt_settings_store.h"
#include "support/run_unprivileged.h"

using namespace tessaly;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Reads `key` through a store on a copy of `path`, so the answer comes from the bytes on disk
// and not from anything the process still holds in memory.
std::optional<std::string> ReadFromDisk(const QString& path, const std::string& key) {
    static int copies = 0;
    const QString copy = path + QStringLiteral(".copy%1.ini").arg(++copies);
    if (!QFile::copy(path, copy)) return std::nullopt;
    QtSettingsStore store(copy);
    return store.read(key);
}

QByteArray Bytes(const std::optional<std::string>& value) {
    return value ? QByteArray::fromStdString(*value) : QByteArray("<missing>");
}

}  // namespace

class TestQtSettingsStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> configDir_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }

  private slots:
    void initTestCase() {
        // Never the user's own settings: the default location is a folder of this test.
        QStandardPaths::setTestModeEnabled(true);
        configDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(configDir_->isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir_->path());
    }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void defaultLocationIsTheUsersFile() {
        const QString file = configDir_->filePath(QStringLiteral("Varnholt.ini"));
        QVERIFY(!QFile::exists(file));
        {
            QtSettingsStore store;
            store.write("Phone Length5", "1");
            // Already on disk before the store goes away.
            QVERIFY(QFile::exists(file));
            QCOMPARE(Bytes(ReadFromDisk(file, "Phone Length5")), QByteArray("1"));
        }
        const QByteArray bytes = FileBytes(file);
        QVERIFY2(bytes.startsWith("[Tessaly]\n"), bytes.constData());
        QtSettingsStore again;
        QCOMPARE(Bytes(again.read("Phone Length5")), QByteArray("1"));
    }

    void roundTrip_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("digit") << QByteArray("1");
        QTest::newRow("comma") << QByteArray("a,b");
        QTest::newRow("comma and blank") << QByteArray("a, b");
        QTest::newRow("lone comma") << QByteArray(",");
        QTest::newRow("semicolon") << QByteArray("a;b");
        QTest::newRow("leading at") << QByteArray("@Variant(1)");
        QTest::newRow("at only") << QByteArray("@");
        QTest::newRow("double at") << QByteArray("@@");
        QTest::newRow("byte array look-alike") << QByteArray("@ByteArray(x)");
        QTest::newRow("double quotes") << QByteArray("\"q\"");
        QTest::newRow("lone quote") << QByteArray("\"");
        QTest::newRow("single quote") << QByteArray("it's");
        QTest::newRow("backslashes") << QByteArray("C:\\dir\\sub\\");
        QTest::newRow("escape look-alike") << QByteArray("\\n\\x41");
        QTest::newRow("crlf") << QByteArray("a\r\nb");
        QTest::newRow("lone cr") << QByteArray("a\rb");
        QTest::newRow("lone lf") << QByteArray("\n");
        QTest::newRow("equals") << QByteArray("a=b");
        QTest::newRow("comment marks") << QByteArray("#x ;y");
        QTest::newRow("section look-alike") << QByteArray("[Tessaly]");
        QTest::newRow("percent escape look-alike") << QByteArray("%20%U0041");
        QTest::newRow("outer blanks") << QByteArray("  x  ");
        QTest::newRow("tab") << QByteArray("\tx\t");
        QTest::newRow("nul inside") << QByteArray("\0z", 2);
        QTest::newRow("non-ASCII") << QByteArray("\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E");
        QTest::newRow("long path") << QByteArray(5000, 'x');
    }
    void roundTrip() {
        QFETCH(QByteArray, value);
        const QString file = path(QStringLiteral("settings.ini"));
        QtSettingsStore store(file);
        store.write("Text1", value.toStdString());

        QCOMPARE(Bytes(store.read("Text1")), value);
        QCOMPARE(Bytes(ReadFromDisk(file, "Text1")), value);
    }

    void overwriteKeepsOtherKeys() {
        const QString file = path(QStringLiteral("settings.ini"));
        QtSettingsStore store(file);
        store.write("Text1", "a");
        store.write("Check2", "1");
        store.write("Text1", "");
        QCOMPARE(Bytes(ReadFromDisk(file, "Text1")), QByteArray(""));
        QCOMPARE(Bytes(ReadFromDisk(file, "Check2")), QByteArray("1"));
    }

    // Only a key of the program's own section counts as stored.
    void missingKeys_data() {
        QTest::addColumn<QByteArray>("contents");  // "<none>": no file at all
        QTest::newRow("no file") << QByteArray("<none>");
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("other section") << QByteArray("[Other]\nText1=x\n");
        QTest::newRow("top level") << QByteArray("Text1=x\n");
        QTest::newRow("other key only") << QByteArray("[Tessaly]\nText2=x\n");
        QTest::newRow("key in a subgroup") << QByteArray("[Tessaly]\nsub\\Text1=x\n");
    }
    void missingKeys() {
        QFETCH(QByteArray, contents);
        const QString file = path(QStringLiteral("settings.ini"));
        if (contents != "<none>") WriteFile(file, contents);
        QtSettingsStore store(file);
        QVERIFY(!store.read("Text1").has_value());
    }

    void handEditedValues_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("unquoted list")
            << QByteArray("[Tessaly]\nText1=a,b,c\n") << QByteArray("a,b,c");
        QTest::newRow("list with blanks")
            << QByteArray("[Tessaly]\nText1=a , b\n") << QByteArray("a,b");
        QTest::newRow("list with an invalid item")
            << QByteArray("[Tessaly]\nText1=@Invalid(), x\n") << QByteArray(",x");
        QTest::newRow("quoted commas")
            << QByteArray("[Tessaly]\nText1=\"a,b\"\n") << QByteArray("a,b");
        QTest::newRow("empty value") << QByteArray("[Tessaly]\nText1=\n") << QByteArray("");
        QTest::newRow("invalid variant")
            << QByteArray("[Tessaly]\nText1=@Invalid()\n") << QByteArray("");
        QTest::newRow("byte array")
            << QByteArray("[Tessaly]\nText1=@ByteArray(xyz)\n") << QByteArray("xyz");
        QTest::newRow("crlf line ends")
            << QByteArray("[Tessaly]\r\nText1=x\r\n") << QByteArray("x");
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Tessaly]\nText1=x\n") << QByteArray("x");
        QTest::newRow("invalid UTF-8")
            << QByteArray("[Tessaly]\nText1=\xFF\n") << QByteArray("\xEF\xBF\xBD");
        QTest::newRow("unbalanced quote")
            << QByteArray("[Tessaly]\nText1=\"abc\n") << QByteArray("abc\n");
        QTest::newRow("broken variant") << QByteArray("[Tessaly]\nText1=@Variant(\x01\x02\n")
                                        << QByteArray("@Variant(\x01\x02");
        QTest::newRow("line without equals")
            << QByteArray("[Tessaly]\nPhone Length5\nText1=y\n") << QByteArray("y");
    }
    void handEditedValues() {
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, expected);
        const QString file = path(QStringLiteral("settings.ini"));
        WriteFile(file, contents);
        QtSettingsStore store(file);
        QCOMPARE(Bytes(store.read("Text1")), expected);
    }

    // A damaged file is read as well as it can be and replaced by the next write.
    void garbageFile_data() {
        QTest::addColumn<QByteArray>("contents");
        QByteArray noise;
        quint32 seed = 12345;
        for (int i = 0; i < 4096; ++i) {
            seed = seed * 1103515245u + 12345u;
            noise.append(static_cast<char>(seed >> 16));
        }
        QTest::newRow("random bytes") << noise;
        QTest::newRow("nul bytes") << QByteArray(512, '\0');
        QTest::newRow("unterminated section") << QByteArray("[Tessa");
        QTest::newRow("section only") << QByteArray("[Tessaly]");
        QTest::newRow("equals only") << QByteArray("=\n==\n[Tessaly]\n=\n");
        QTest::newRow("one huge line") << QByteArray(1 << 20, 'x');
        QTest::newRow("utf-16 file") << QByteArray("\xFF\xFE[\0T\0e\0s\0s\0a\0l\0y\0]\0", 20);
    }
    void garbageFile() {
        QFETCH(QByteArray, contents);
        const QString file = path(QStringLiteral("settings.ini"));
        WriteFile(file, contents);
        QtSettingsStore store(file);
        for (const char* key : {"Phone Length5", "Check2", "Text1", "Snapshot", ""}) {
            (void)store.read(key);  // whatever it finds, it must find it without harm
        }
        store.write("Check2", "1");
        QCOMPARE(Bytes(store.read("Check2")), QByteArray("1"));
        QCOMPARE(Bytes(ReadFromDisk(file, "Check2")), QByteArray("1"));
    }

    // Writes that cannot reach the disk are lost; the program carries on with what it holds.
    void unwritableLocation_data() {
        QTest::addColumn<QString>("relative");  // below the test folder; "plain" is a file
        QTest::newRow("parent is a file") << "plain/settings.ini";
        QTest::newRow("grandparent is a file") << "plain/sub/settings.ini";
        QTest::newRow("path is a folder") << "folder.ini";
    }
    void unwritableLocation() {
        QFETCH(QString, relative);
        WriteFile(path(QStringLiteral("plain")), QByteArray("not a folder"));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("folder.ini")));
        const QString file = path(relative);

        {
            QtSettingsStore store(file);
            QVERIFY(!store.read("Text1").has_value());
            store.write("Text1", "(");
            store.write("Phone Length5", "1");
            QCOMPARE(Bytes(store.read("Text1")), QByteArray("("));
        }
        QtSettingsStore later(file);
        QVERIFY(!later.read("Text1").has_value());
        QVERIFY(!later.read("Phone Length5").has_value());
        QCOMPARE(FileBytes(path(QStringLiteral("plain"))), QByteArray("not a folder"));
    }

    // A settings location that is no regular file is neither read (a pipe would never answer)
    // nor replaced, also behind a link; a file nobody may write is left as it is, also by root;
    // a file larger than 1 MiB is neither loaded nor replaced. Every change holds for the session.
    void specialLocations_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind :
             {"named pipe at the user's location", "link to a device", "read-only file",
              "file of 1 MiB and a byte", "link to a file of 1 MiB and a byte",
              "file of 1 MiB and a byte at the user's location"})
            QTest::newRow(kind) << kind;
    }
    void specialLocations() {
        QFETCH(QString, kind);
        const bool atUsers = kind.endsWith("user's location");
        const QString file = atUsers ? configDir_->filePath(QStringLiteral("Varnholt.ini"))
                                     : path(QStringLiteral("settings.ini"));
        const QString real = path(QStringLiteral("real"));
        const bool huge = kind.contains("1 MiB");
        QByteArray stored = "[Tessaly]\nText1=-\n";
        if (huge) stored += "; " + QByteArray(int(kMaxSettingsFileSize) - stored.size() - 2, 'x');
        if (huge) stored += "\n";  // one byte beyond the bound
        const std::string name = file.toStdString(), realName = real.toStdString();
        if (kind == "link to a device" &&
            ::mknod(realName.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) {
            QSKIP("cannot make a device here");
        }
        if (kind.startsWith("link")) QCOMPARE(::symlink(realName.c_str(), name.c_str()), 0);
        if (kind == "read-only file" || (huge && !kind.startsWith("link"))) WriteFile(file, stored);
        if (kind.startsWith("link to a file")) WriteFile(real, stored);
        if (atUsers && !huge) ::unlink(name.c_str());
        if (atUsers && !huge) QCOMPARE(::mkfifo(name.c_str(), 0600), 0);
        if (kind == "read-only file") ::chmod(name.c_str(), 0444);
        {
            std::unique_ptr<QtSettingsStore> store = atUsers
                                                         ? std::make_unique<QtSettingsStore>()
                                                         : std::make_unique<QtSettingsStore>(file);
            QCOMPARE(store->oversizedFile().has_value(), huge);
            if (huge) QVERIFY(!store->read("Text1"));  // the defaults, not the file's values
            store->write("Check2", "1");
            QCOMPARE(Bytes(store->read("Check2")), QByteArray("1"));
        }
        struct stat st {};
        QCOMPARE(::lstat(name.c_str(), &st), 0);
        QCOMPARE(S_ISLNK(st.st_mode), kind.startsWith("link"));
        QCOMPARE(S_ISFIFO(st.st_mode), atUsers && !huge);
        if (kind == "link to a device") {
            QCOMPARE(::stat(realName.c_str(), &st), 0);
            QVERIFY(S_ISCHR(st.st_mode));
        }
        if (kind == "read-only file" || huge) QCOMPARE(FileBytes(file), stored);
        ::unlink(name.c_str());
    }

    // A settings file the user may read but not change, in a folder the user may not write:
    // the stored values still come back, every change holds for the rest of the session, and
    // the file stays as it was.
    void readOnlyForThisUser() {
        QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner | QFile::ReadOther |
                                                        QFile::ExeOther));
        const QString file = path(QStringLiteral("settings.ini"));
        const QByteArray stored = "[Tessaly]\nText1=-\nPhone%20Length5=1\n";
        WriteFile(file, stored);
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        const std::optional<std::string> seen =
            tessaly::testing::RunUnprivileged([&]() -> std::string {
                QtSettingsStore store(file);
                std::string out = Bytes(store.read("Text1")).toStdString() + "|";
                store.write("Text1", "(");
                store.write("Check2", "1");
                out += Bytes(store.read("Text1")).toStdString() + "|";
                out += Bytes(store.read("Check2")).toStdString() + "|";
                out += Bytes(store.read("Phone Length5")).toStdString();
                return out;
            });
        QVERIFY(seen);
        QCOMPARE(QByteArray::fromStdString(*seen), QByteArray("-|(|1|1"));
        QCOMPARE(FileBytes(file), stored);
        QCOMPARE(
            QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("settings.ini")});
    }
};

QTEST_GUILESS_MAIN(TestQtSettingsStore)
#include "test_qt_settings_store.moc"
