// QtFileWriter: the exact bytes reach the file, an existing file is replaced whole, and every
// way the write can fail leaves an existing file as it was and no stray file beside it.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>
#include <string>

#include "qt_file_writer.h"
#include "support/fake_event_loop.h"
#include "support/temp_files.h"

using namespace tessaly;
using namespace tessaly::testing;

namespace {

enum Setup {
    kMissingFolder,
    kParentIsFile,
    kTargetIsFolder,
    kReadOnlyFolder,
    kReadOnlyFile,
    kReadOnlyFileAsRoot,
    kDiskFull,
    kDiskFullAtFlush,
    kDroppedUncommitted,
    kNameIsNoText
};

// Runs as the unprivileged user until destroyed: as root every folder is writable. The saved
// ids stay root's so the test can come back.
class AsNobody {
  public:
    AsNobody() { ok_ = ::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0; }
    ~AsNobody() {
        if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0) qFatal("cannot return to root");
    }
    bool ok() const { return ok_; }

  private:
    bool ok_ = false;
};

// Files may grow to `bytes` at most until destroyed, as on a nearly full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }

  private:
    rlimit old_{};
};

QByteArray Read(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Entries(const std::string& folder) {
    return QDir(QString::fromStdString(folder))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestQtFileWriter : public QObject {
    Q_OBJECT
  private slots:
    void writes_data();
    void writes();
    void failures_data();
    void failures();
    void pathExists_data();
    void pathExists();
    void namedPipes_data();
    void namedPipes();
};

void TestQtFileWriter::writes_data() {
    QTest::addColumn<QByteArray>("existing");  // null: no file yet
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("new file, bytes as given")
        << QByteArray() << QByteArrayList{"Results\t\r\n", QByteArray("\0\xff\r\n", 4)}
        << QByteArray("Results\t\r\n\0\xff\r\n", 14);
    QTest::newRow("no bytes gives an empty file")
        << QByteArray() << QByteArrayList{} << QByteArray("");
    QTest::newRow("longer existing file replaced whole")
        << QByteArray(100000, 'x') << QByteArrayList{"12345\r\n"} << QByteArray("12345\r\n");
    QTest::newRow("many pieces") << QByteArray("old") << QByteArrayList(3000, QByteArray(1000, 'y'))
                                 << QByteArray(3000000, 'y');
}

void TestQtFileWriter::writes() {
    QFETCH(QByteArray, existing);
    QFETCH(QByteArrayList, pieces);
    QFETCH(QByteArray, expected);
    TempFiles temp;
    const std::string path =
        existing.isNull() ? temp.path("out") : temp.write("out", existing.toStdString());
    if (!existing.isNull()) ::chmod(path.c_str(), 0640);
    const mode_t mask = ::umask(022);
    QtFileWriter writer;
    {
        const std::unique_ptr<SafeFile> file = writer.create(path);
        for (const QByteArray& p : pieces)
            file->write(p.toStdString());
        file->commit();
    }
    ::umask(mask);
    QCOMPARE(Read(path), expected);
    QCOMPARE(Entries(temp.folder()), QStringList{"out"});
    struct stat st {};
    QCOMPARE(::stat(path.c_str(), &st), 0);
    // A new file is readable by others, as any new file; a replaced one keeps its mode.
    QCOMPARE(st.st_mode & 0777, mode_t(existing.isNull() ? 0644 : 0640));
}

void TestQtFileWriter::failures_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << int(kMissingFolder) << "No such file or directory";
    QTest::newRow("folder is a file") << int(kParentIsFile) << "";
    QTest::newRow("target is a folder") << int(kTargetIsFolder) << "it is a folder";
    QTest::newRow("read-only folder") << int(kReadOnlyFolder) << "";
    QTest::newRow("read-only file") << int(kReadOnlyFile) << "the file is read-only";
    QTest::newRow("read-only file, as root") << int(kReadOnlyFileAsRoot) << "the file is read-only";
    QTest::newRow("disk full") << int(kDiskFull) << "";
    QTest::newRow("disk full, noticed when flushing") << int(kDiskFullAtFlush) << "";
    QTest::newRow("dropped before commit") << int(kDroppedUncommitted) << "";
    QTest::newRow("name that is no text") << int(kNameIsNoText) << "bytes that are not text";
}

void TestQtFileWriter::failures() {
    QFETCH(int, setup);
    QFETCH(QString, reason);
    TempFiles temp;
    QVERIFY(::chmod(temp.folder().c_str(), 0777) == 0);
    const QByteArray old = "old contents\r\n";
    std::string target = temp.write("out.txt", old.toStdString());
    ::chmod(target.c_str(), 0666);
    if (setup == kMissingFolder) target = temp.path("missing/out.txt");
    if (setup == kParentIsFile) target = target + "/out.txt";
    if (setup == kTargetIsFolder) {
        target = temp.path("folder");
        QVERIFY(QDir().mkdir(QString::fromStdString(target)));
    }
    if (setup == kReadOnlyFolder) QVERIFY(::chmod(temp.folder().c_str(), 0555) == 0);
    if (setup == kReadOnlyFile || setup == kReadOnlyFileAsRoot)
        QVERIFY(::chmod(target.c_str(), 0444) == 0);
    // Its look-alike is the file Qt would take it for; it must stay as it is too.
    const std::string lookalike = temp.path("n\xEF\xBF\xBD.txt");
    if (setup == kNameIsNoText) {
        temp.write("n\xEF\xBF\xBD.txt", old.toStdString());
        target = temp.path("n\xFF.txt");
    }
    const QStringList before = Entries(temp.folder());

    std::string failure;
    {
        std::optional<AsNobody> nobody;
        if (setup == kReadOnlyFolder || setup == kReadOnlyFile) {
            nobody.emplace();
            if (!nobody->ok()) QSKIP("cannot switch to an unprivileged user");
        }
        std::optional<FileSizeLimit> limit;
        if (setup == kDiskFull) limit.emplace(64 * 1024);
        if (setup == kDiskFullAtFlush) limit.emplace(16);
        // Small pieces stay in the file's buffer until the commit flushes them.
        const std::size_t piece = setup == kDiskFullAtFlush ? 100 : 16 * 1024;
        try {
            QtFileWriter writer;
            const std::unique_ptr<SafeFile> file = writer.create(target);
            for (int i = 0; i < 64; ++i)
                file->write(std::string(piece, 'n'));
            if (setup != kDroppedUncommitted) file->commit();
        } catch (const std::exception& e) {
            failure = e.what();
        }
    }
    ::chmod(temp.folder().c_str(), 0777);

    if (setup == kDroppedUncommitted) {
        QVERIFY(failure.empty());
    } else {
        QVERIFY2(failure.starts_with("Cannot write \"" + target + "\": "), failure.c_str());
        QVERIFY2(failure.find(reason.toStdString()) != std::string::npos, failure.c_str());
    }
    QCOMPARE(Read(temp.path("out.txt")), old);
    QCOMPARE(Entries(temp.folder()), before);
    if (setup == kTargetIsFolder) QVERIFY(QFileInfo(QString::fromStdString(target)).isDir());
    if (setup == kNameIsNoText) QCOMPARE(Read(lookalike), old);
}

void TestQtFileWriter::pathExists_data() {
    QTest::addColumn<QByteArray>("name");  // under a folder holding "file", "folder", "dangling"
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << QByteArray("file") << true;
    QTest::newRow("folder") << QByteArray("folder") << true;
    QTest::newRow("missing") << QByteArray("missing") << false;
    QTest::newRow("dangling link") << QByteArray("dangling") << false;
    QTest::newRow("empty name") << QByteArray() << false;
    QTest::newRow("name that is no text") << QByteArray("n\xFF") << true;
    QTest::newRow("its look-alike") << QByteArray("n\xEF\xBF\xBD") << false;
}

void TestQtFileWriter::pathExists() {
    QFETCH(QByteArray, name);
    QFETCH(bool, exists);
    TempFiles temp;
    temp.write("file", "x");
    QVERIFY(QDir().mkdir(QString::fromStdString(temp.path("folder"))));
    QVERIFY(::symlink(temp.path("nowhere").c_str(), temp.path("dangling").c_str()) == 0);
    const std::string odd = temp.write("n\xFF", "x");  // a name no text can spell
    const std::string path = name.isEmpty() ? std::string() : temp.path(name.toStdString());
    QCOMPARE(QtFileWriter().PathExists(path), exists);
    ::unlink(odd.c_str());
}

// A named pipe never holds up the window: nobody reading is said at once; a reader slower
// than the writer is waited for while the window's events are served, and the bytes arrive
// whole; a reader that leaves, or the window closing meanwhile, fail the save.
void TestQtFileWriter::namedPipes_data() {
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QString>("failure");  // empty: the bytes arrive whole
    QTest::newRow("nobody reads") << "none"
                                  << "No program is reading %1; the results were not saved.";
    QTest::newRow("a slow reader") << "slow"
                                   << "";
    QTest::newRow("the reader leaves") << "leaves"
                                       << "Cannot write \"%1\": Broken pipe";
    QTest::newRow("the window closes meanwhile") << "closing"
                                                 << "Cannot write \"%1\": the save was given up";
}

void TestQtFileWriter::namedPipes() {
    QFETCH(QString, reader);
    QFETCH(QString, failure);
    ::signal(SIGPIPE, SIG_IGN);  // as the window ignores it
    TempFiles temp;
    const std::string pipe = temp.path("pipe");
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    int readEnd = reader == "none" ? -1 : ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    FakeEventLoop loop;
    QByteArray arrived;
    // Each pass of the window's loop, the reader takes a little of what waits in the pipe.
    loop.onYield = [&](int pass) {
        std::vector<char> buffer(64 * 1024);
        const ssize_t n = ::read(readEnd, buffer.data(), buffer.size());
        if (n > 0) arrived.append(buffer.data(), n);
        if (reader == "leaves" && pass == 3) {
            ::close(readEnd);
            readEnd = -1;
        }
        if (reader == "closing" && pass == 3) loop.closing = true;
    };
    const std::string sent(1 << 20, 'n');  // far more than the pipe holds
    std::string error;
    try {
        QtFileWriter writer(&loop);
        const std::unique_ptr<SafeFile> file = writer.create(pipe);
        file->write(sent);
        file->commit();
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (readEnd >= 0) {
        for (char buffer[4096];;) {
            const ssize_t n = ::read(readEnd, buffer, sizeof buffer);
            if (n <= 0) break;
            arrived.append(buffer, n);
        }
        ::close(readEnd);
    }
    QCOMPARE(QString::fromStdString(error), failure.arg(QString::fromStdString(pipe)));
    if (failure.isEmpty()) {
        QCOMPARE(arrived.size(), qsizetype(sent.size()));
        QVERIFY(loop.passes > 1);  // the window was served while the reader caught up
    }
}

QTEST_GUILESS_MAIN(TestQtFileWriter)
#include "test_qt_file_writer.moc"
