// tessaly-extract under faults: every output that cannot be written is reported with its path
// and reason and exit status 2, an existing file stays as it was and no partial file is left;
// a process that may make no threads still does its work; names and texts holding shell and
// format syntax are taken literally.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "support/cat.h"
#include "support/run_unprivileged.h"
#include "support/table_types.h"
#include "support/temp_tree.h"

using namespace tessaly::testing;

using Strings = std::vector<std::string>;

namespace {

struct Limits {
    std::optional<rlim_t> fileSize;   // bytes a file may grow to
    std::optional<rlim_t> processes;  // processes and threads the user may have
    std::optional<rlim_t> memory;     // bytes of address space
    bool errorsWithOutput = false;    // standard error goes where standard output goes
    bool asNobody = false;
    bool readerGone = false;     // standard output a pipe nobody reads
    std::string standardOutput;  // a file for standard output; empty: captured
    std::string standardInput;   // a file for standard input; empty: the test's own
    std::string workingFolder;
    int interrupt = 0;  // a signal sent once the folder below holds two entries
    std::string interruptOnceTwoIn;
};

struct Outcome {
    int status = -1;  // the exit status; -1 when ended by a signal
    int signal = 0;   // the signal that ended it
    std::string out;
    std::string err;
};

// `slowly`: a reader that takes its time, so the writer gets far ahead.
std::string ReadAll(int fd, bool slowly = false) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, std::size_t(n));
        if (slowly && text.size() % (1 << 20) < sizeof buffer) ::usleep(20000);
    }
    ::close(fd);
    return text;
}

Strings Entries(const std::string& folder) {
    Strings names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs tessaly-extract with `args` (bytes, as a shell would pass them: no shell is involved)
// under the given limits.
Outcome Run(const Strings& args, const Limits& limits = {}, rusage* usage = nullptr) {
    const std::string program =
        qEnvironmentVariable("TESSALY_BIN_DIR").toStdString() + "/tessaly-extract";
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(limits.errorsWithOutput ? out[1] : err[1], 2);
        if (limits.readerGone) {
            int gone[2];
            if (::pipe(gone) != 0) ::_exit(119);
            ::close(gone[0]);
            ::dup2(gone[1], 1);
        } else if (limits.standardOutput.empty()) {
            ::dup2(out[1], 1);
        } else {
            const int fd = ::open(limits.standardOutput.c_str(), O_WRONLY);
            if (fd < 0) ::_exit(120);
            ::dup2(fd, 1);
        }
        ::close(out[0]), ::close(err[0]);
        if (!limits.standardInput.empty()) {
            const int fd = ::open(limits.standardInput.c_str(), O_RDONLY);
            if (fd < 0) ::_exit(118);
            ::dup2(fd, 0);
        }
        if (!limits.workingFolder.empty() && ::chdir(limits.workingFolder.c_str()) != 0) {
            ::_exit(121);
        }
        // The program must look after these itself: a limit reached kills by default.
        ::signal(SIGXFSZ, SIG_DFL);
        ::signal(SIGPIPE, SIG_DFL);
        if (limits.interrupt) ::signal(limits.interrupt, SIG_DFL);
        if (limits.asNobody &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(122);
        }
        if (limits.fileSize) {
            const rlimit l{*limits.fileSize, *limits.fileSize};
            if (::setrlimit(RLIMIT_FSIZE, &l) != 0) ::_exit(123);
        }
        if (limits.memory) {
            const rlimit l{*limits.memory, *limits.memory};
            if (::setrlimit(RLIMIT_AS, &l) != 0) ::_exit(126);
        }
        if (limits.processes) {
            const rlimit l{*limits.processes, *limits.processes};
            if (::setrlimit(RLIMIT_NPROC, &l) != 0) ::_exit(124);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(125);
    }
    ::close(out[1]), ::close(err[1]);
    if (limits.interrupt) {
        // A temporary file that never shows ends the run otherwise, and the test sees it.
        const bool shown =
            QTest::qWaitFor([&] { return Entries(limits.interruptOnceTwoIn).size() == 2; }, 20000);
        ::kill(child, shown ? limits.interrupt : SIGKILL);
    }
    Outcome o;
    o.out = ReadAll(out[0], usage != nullptr);
    o.err = ReadAll(err[0]);
    int status = 0;
    ::wait4(child, &status, 0, usage);
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return o;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A million distinct numbers: more than a small address space can keep.
std::string MillionDistinct() {
    std::string text;
    for (int i = 0; i < 1000000; ++i)
        text += "555" + std::to_string(1000000 + i).substr(0, 7) + "\n";
    return text;
}

// Numbers enough to pass any small size limit.
std::string ManyNumbers() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "877-798-" + std::to_string(1000 + i % 9000) + "\n";
    return text;
}

// Runs tessaly-extract on standard input, a pipe given one line with a number and then held
// open; its output is a pipe or a terminal. The milliseconds until the number came out while the
// input was still open, -1 when it did not within 5 s; `line`: what came.
int FirstLineWhileInputOpen(bool terminal, std::string& line) {
    const std::string program =
        qEnvironmentVariable("TESSALY_BIN_DIR").toStdString() + "/tessaly-extract";
    int in[2], out[2];
    if (::pipe(in) != 0) return -2;
    if (terminal) {
        out[0] = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (out[0] < 0 || ::grantpt(out[0]) != 0 || ::unlockpt(out[0]) != 0) return -2;
        out[1] = ::open(::ptsname(out[0]), O_RDWR | O_NOCTTY);
    } else if (::pipe(out) != 0) {
        return -2;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0), ::dup2(out[1], 1);
        ::close(in[1]), ::close(out[0]);
        ::execl(program.c_str(), program.c_str(), "-", static_cast<char*>(nullptr));
        ::_exit(125);
    }
    ::close(in[0]), ::close(out[1]);
    const std::string given = "call 877-798-4141 today\n";
    QElapsedTimer timer;
    timer.start();
    int waited = -1;
    if (::write(in[1], given.data(), given.size()) == ssize_t(given.size())) {
        pollfd ready{out[0], POLLIN, 0};
        if (::poll(&ready, 1, 5000) == 1) {
            waited = int(timer.elapsed());
            char buffer[256];
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            line.assign(buffer, std::size_t(std::max<ssize_t>(n, 0)));
        }
    }
    ::close(in[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(out[0]);
    return waited;
}

}  // namespace

class ExtractFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    // "target": where --output points, below a folder "out" holding "old.txt". Every failure
    // names the target and its reason; "old.txt" and the folder stay as they were.
    void outputFaults_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << ""
                                        << "out/missing/new.txt"
                                        << "No such file or directory";
        QTest::newRow("a file where the folder should be") << ""
                                                           << "out/old.txt/new.txt"
                                                           << "Not a directory";
        QTest::newRow("target is a folder") << ""
                                            << "out"
                                            << "it is a folder";
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "out/old.txt"
                                          << "Permission denied";
        QTest::newRow("read-only file") << "read-only file"
                                        << "out/old.txt"
                                        << "the file is read-only";
        QTest::newRow("read-only file, as root") << "read-only file, as root"
                                                 << "out/old.txt"
                                                 << "the file is read-only";
        QTest::newRow("full disk, replacing a file") << "full disk"
                                                     << "out/old.txt"
                                                     << "File too large";
        QTest::newRow("full disk, a new file") << "full disk"
                                               << "out/new.txt"
                                               << "File too large";
        QTest::newRow("full standard output") << "full stdout"
                                              << ""
                                              << "cannot write standard output: No space left";
        // What is written at the end must be kept meanwhile; the system may give too little.
        for (const char* option : {"--unique", "--format=table", "--format=csv", "--count"}) {
            QTest::addRow("no memory to keep the numbers, %s", option)
                << QString("memory ") + option << "out/old.txt"
                << "cannot keep the numbers: Out of memory";
        }
    }

    void outputFaults() {
        QFETCH(QString, setup);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        TempTree tree;
        tree.file("in.txt", ManyNumbers());
        tree.file("out/old.txt", "old contents");
        tree.mode("out", setup == "read-only folder" ? 0555 : 0777);
        tree.mode("out/old.txt", setup.startsWith("read-only file") ? 0444 : 0666);
        Limits limits;
        limits.asNobody = setup.startsWith("read-only") && !setup.endsWith("as root");
        if (setup == "full disk") limits.fileSize = 4096;
        if (setup == "full stdout") limits.standardOutput = "/dev/full";
        Strings args;
        const std::string path = tree.path(target.toStdString());
        if (!target.isEmpty()) args = {"--output", path};
        const bool memory = setup.startsWith("memory ");
        if (memory) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
            QSKIP("the sanitizers reserve more address space than the limit");
#endif
            args.push_back(setup.mid(7).toStdString());
            tree.file("in.txt", MillionDistinct());
        }
        args.push_back(tree.path("in.txt"));

        // Limits between what a run needs before the first number is kept (its threads and
        // buffers) and what keeping them takes: where memory runs out differs from one to the
        // next, and each must end in the same report.
        const std::vector<rlim_t> memoryLimits =
            memory ? std::vector<rlim_t>{36, 40, 44, 48, 52} : std::vector<rlim_t>{0};
        for (const rlim_t megabytes : memoryLimits) {
            if (memory) limits.memory = megabytes << 20;
            const Outcome o = Run(args, limits);
            const std::string at = std::to_string(megabytes) + " MB: " + o.err;
            QVERIFY2(o.status == 2, at.c_str());
            QCOMPARE(o.out, std::string());
            const std::string expected =
                target.isEmpty() || memory ? "" : "cannot write \"" + path + "\": ";
            // Counting may leave the reading itself without memory first; that is said too.
            const std::string line = "tessaly-extract: " + expected + reason.toStdString();
            QVERIFY2(memory ? o.err.ends_with(line + "\n") : o.err.starts_with(line), at.c_str());
            QCOMPARE(Contents(tree.path("out/old.txt")), std::string("old contents"));
            QCOMPARE(Entries(tree.path("out")), Strings{"old.txt"});
        }
    }

    // Replacing a file keeps its permissions and, for root, its owner.
    void replacedFileKeepsItsMode() {
        TempTree tree;
        tree.file("in.txt", "877-798-4141");
        tree.file("out.txt", "old");
        tree.mode("out.txt", 0600);
        const uid_t owner = ::geteuid() == 0 ? kNobody : ::geteuid();
        QCOMPARE(::chown(tree.path("out.txt").c_str(), owner, gid_t(-1)), 0);
        const Outcome o = Run({"--output", tree.path("out.txt"), tree.path("in.txt")});
        QCOMPARE(o.status, 0);
        QCOMPARE(Contents(tree.path("out.txt")), std::string("8777984141\n"));
        struct stat st {};
        QCOMPARE(::stat(tree.path("out.txt").c_str(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0600));
        QCOMPARE(st.st_uid, owner);
    }

    // Where --output points, below the input folder "in": a link leads to the file replaced,
    // a pipe or a device is written as it is, a name as long as the system allows is taken, and
    // neither the output nor its temporary file is ever read, also by a second run; a file
    // that is the output is said to be left out.
    void outputTargets_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("type");  // what the target is, before and after
        QTest::newRow("file") << "file" << int(S_IFREG);
        QTest::newRow("link") << "link" << int(S_IFLNK);
        QTest::newRow("named pipe") << "named pipe" << int(S_IFIFO);
        QTest::newRow("device") << "device" << int(S_IFCHR);
        QTest::newRow("long name") << "long name" << int(S_IFREG);
    }

    void outputTargets() {
        QFETCH(QString, kind);
        QFETCH(int, type);
        TempTree tree;
        tree.file("in/a.txt", "877-798-4141");
        const std::string name = "in/" + (kind == "long name" ? std::string(250, 'n') : "out.txt");
        const std::string target = tree.path(name);
        std::string written = target;
        std::future<std::string> piped;
        if (type == S_IFREG) tree.file(name, "old");
        if (kind == "link") {
            tree.file("real.txt", "old");
            tree.link(name, "../real.txt");
            written = tree.path("real.txt");
        }
        if (kind == "named pipe") {
            QCOMPARE(::mkfifo(target.c_str(), 0666), 0);
            piped = std::async(std::launch::async, [&] { return Contents(target); });
        }
        if (kind == "device" && ::mknod(target.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
            QSKIP("cannot make a device here");
        const Strings before = Entries(tree.path("in"));
        for (int run = kind == "named pipe" ? 1 : 0; run < 2; ++run) {
            const Outcome o = Run({"--lengths", "10", "--output", target, tree.path("in")});
            const bool isFile = type == S_IFREG || type == S_IFLNK;
            QCOMPARE(o.err, isFile
                                ? "tessaly-extract: " + target + ": the output itself; not read\n"
                                : std::string());
            QCOMPARE(o.status, 0);
        }
        const std::string expected = "8777984141\n";
        if (kind == "named pipe") QCOMPARE(piped.get(), expected);
        if (kind != "named pipe" && kind != "device") QCOMPARE(Contents(written), expected);
        struct stat st {};
        QCOMPARE(::lstat(target.c_str(), &st), 0);
        QCOMPARE(int(st.st_mode & S_IFMT), type);
        QCOMPARE(Entries(tree.path("in")), before);
    }

    // An interrupted run removes its temporary file and ends with the signal.
    void interrupted_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void interrupted() {
        QFETCH(int, signal);
        TempTree tree;
        tree.file("out/keep.txt", "x");
        tree.file("big");  // sparse: reading it takes long enough to be caught in the middle
        QCOMPARE(::truncate(tree.path("big").c_str(), off_t(1) << 40), 0);
        Limits limits;
        limits.interrupt = signal;
        limits.interruptOnceTwoIn = tree.path("out");
        // Its NUL bytes make it no text file: --binary reads it all the same.
        const Outcome o =
            Run({"--binary", "--output", tree.path("out/o.txt"), tree.path("big")}, limits);
        QCOMPARE(o.signal, signal);
        QCOMPARE(Entries(tree.path("out")), Strings{"keep.txt"});
    }

    // A reader that leaves ends the run at once and quietly: the missing file after the first
    // is never reached.
    void readerGone() {
        TempTree tree;
        std::string numbers;
        for (int i = 0; i < 8; ++i)
            numbers += ManyNumbers();
        tree.file("many.txt", numbers);
        Limits limits;
        limits.readerGone = true;
        const Outcome o = Run({tree.path("many.txt"), tree.path("missing")}, limits);
        QCOMPARE(o.err, std::string());
        QCOMPARE(o.status, 0);
    }

    // An input that is the output, by whatever name, is refused before anything is read or
    // written and the file stays as it was; met in a walked folder it is left out and said
    // once. A line of --files-from holding a NUL byte names no file. Run in the folder "d".
    void inputFaults_data() {
        QTest::addColumn<Strings>("args");
        QTest::addColumn<QString>("input");  // a file of "d" for standard input; empty: none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");  // after "tessaly-extract: "; "@": d's full path
        const QString both = " is both an input and the output";
        QTest::newRow("the same name")
            << Strings{"in.txt", "--output", "in.txt"} << "" << 2 << "in.txt" + both;
        QTest::newRow("./") << Strings{"./in.txt", "--output", "in.txt"} << "" << 2
                            << "./in.txt" + both;
        QTest::newRow("../d/") << Strings{"other.txt", "../d/in.txt", "--output", "./in.txt"} << ""
                               << 2 << "../d/in.txt" + both;
        QTest::newRow("absolute") << Strings{"@/in.txt", "--output", "in.txt"} << "" << 2
                                  << "@/in.txt" + both;
        QTest::newRow("symbolic link")
            << Strings{"link.txt", "--output", "in.txt"} << "" << 2 << "link.txt" + both;
        QTest::newRow("output through a link")
            << Strings{"in.txt", "--output", "link.txt"} << "" << 2 << "in.txt" + both;
        QTest::newRow("hard link")
            << Strings{"hard.txt", "--output", "in.txt"} << "" << 2 << "hard.txt" + both;
        QTest::newRow("standard input")
            << Strings{"-", "--output", "in.txt"} << "in.txt" << 2 << "(standard input)" + both;
        QTest::newRow("an entry of --files-from")
            << Strings{"--files-from", "list.txt", "--output", "in.txt"} << "" << 2
            << "in.txt" + both;
        QTest::newRow("the list of --files-from")
            << Strings{"--files-from", "list.txt", "--output", "list.txt"} << "" << 2
            << "list.txt" + both;
        QTest::newRow("met in a walked folder, said once")
            << Strings{"w", "in.txt", "w", "--output", "w/notes.txt"} << "" << 0
            << "w/notes.txt: the output itself; not read";
        QTest::newRow("a NUL byte in a line of --files-from")
            << Strings{"--files-from", "nul.txt"} << "" << 2
            << "the list of files \"nul.txt\", line 2: \"in\\000.txt\" holds a NUL byte, and a "
               "path cannot contain one (for paths separated by NUL bytes, as find -print0 "
               "writes them, use -0)";
    }

    void inputFaults() {
        QFETCH(Strings, args);
        QFETCH(QString, input);
        QFETCH(int, status);
        QFETCH(QString, message);
        TempTree tree;
        tree.file("d/in.txt", "call 877-798-4141");
        tree.file("d/other.txt", "212-555-0101");
        tree.file("d/list.txt", "other.txt\nin.txt\n");
        tree.file("d/nul.txt", std::string("other.txt\nin\0.txt\n", 18));
        tree.file("d/w/notes.txt", "old notes 212-555-0102");
        tree.file("d/w/a.txt", "212-555-0103");
        tree.link("d/link.txt", "in.txt");
        QCOMPARE(::link(tree.path("d/in.txt").c_str(), tree.path("d/hard.txt").c_str()), 0);
        for (std::string& a : args)
            if (a.starts_with('@')) a = tree.path("d") + a.substr(1);
        Limits limits;
        limits.workingFolder = tree.path("d");
        if (!input.isEmpty()) limits.standardInput = tree.path("d/" + input.toStdString());
        const Outcome o = Run(args, limits);
        QCOMPARE(o.status, status);
        const std::string said =
            message.replace("@", QString::fromStdString(tree.path("d"))).toStdString();
        QCOMPARE(o.err, "tessaly-extract: " + said + "\n");
        QCOMPARE(Contents(tree.path("d/in.txt")), std::string("call 877-798-4141"));
        QCOMPARE(Contents(tree.path("d/list.txt")), std::string("other.txt\nin.txt\n"));
        // Refused: nothing written. Left out: the other files, once each, written to the output.
        const bool walked = status == 0;
        QCOMPARE(o.out, std::string(message.startsWith("the list") ? "2125550101\n" : ""));
        QCOMPARE(Contents(tree.path("d/w/notes.txt")),
                 std::string(walked ? "2125550103\n8777984141\n2125550103\n"
                                    : "old notes 212-555-0102"));
        QCOMPARE(Entries(tree.path("d/w")), (Strings{"a.txt", "notes.txt"}));
    }

    // A folder that cannot be listed, named or met in a walk, is reported with its path and
    // reason, and the exit status says so; the rest is read. "top" holds c.txt and "locked".
    void unreadableFolder_data() {
        QTest::addColumn<QString>("named");  // between a missing file and b.txt
        QTest::addColumn<QString>("locked");
        QTest::addColumn<int>("mode");
        QTest::newRow("named, no permission") << "top/locked"
                                              << "top/locked" << 0;
        QTest::newRow("in a walk, no permission") << "top"
                                                  << "top/locked" << 0;
        QTest::newRow("in a walk, names readable but not searchable") << "top"
                                                                      << "top/locked" << 0444;
        QTest::newRow("in a walk, searchable but names not readable") << "top"
                                                                      << "top/locked" << 0111;
    }

    void unreadableFolder() {
        QFETCH(QString, named);
        QFETCH(QString, locked);
        QFETCH(int, mode);
        TempTree tree;
        tree.file("top/locked/a.txt", "877-798-4141");
        tree.file("top/locked/deeper/d.txt", "877-798-4142");
        tree.file("top/c.txt", "212-555-0105");
        tree.file("b.txt", "212-555-0101");
        Limits limits;
        limits.asNobody = ::geteuid() == 0;
        tree.mode(locked.toStdString(), limits.asNobody ? mode_t(mode) : 0);
        // The folders are walked as the files are scanned; each failure is said in its turn.
        const Outcome o = Run(
            {tree.path("missing.txt"), tree.path(named.toStdString()), tree.path("b.txt")}, limits);
        tree.mode(locked.toStdString(), 0700);
        QCOMPARE(o.status, 2);
        QCOMPARE(o.out, std::string(named == "top" ? "2125550105\n2125550101\n" : "2125550101\n"));
        QCOMPARE(o.err, "tessaly-extract: Cannot read \"" + tree.path("missing.txt") +
                            "\": No such file or directory\ntessaly-extract: Cannot read the " +
                            "folder \"" + tree.path(locked.toStdString()) +
                            "\": Permission denied\n");
    }

    // Each failure is said when the output reaches its file, between the numbers of the files
    // before and after it, whatever the number of jobs; nothing of it is held afterwards, so a
    // list of missing paths as long as one likes takes no more memory than a short one.
    void failuresInTurn_data() {
        QTest::addColumn<QString>("jobs");
        QTest::addColumn<int>("missing");  // 0: files and missing paths by turns
        QTest::newRow("one job") << "1" << 0;
        QTest::newRow("four jobs") << "4" << 0;
        QTest::newRow("200000 missing paths") << "4" << 200000;
    }

    void failuresInTurn() {
        QFETCH(QString, jobs);
        QFETCH(int, missing);
        TempTree tree;
        Strings args{"--jobs", jobs.toStdString(), "--lengths", "10"};
        std::string expected;
        auto missingLine = [&](const std::string& path) {
            return "tessaly-extract: Cannot read \"" + path + "\": No such file or directory\n";
        };
        if (missing == 0) {
            for (int i = 0; i < 12; ++i) {
                const std::string name = tessaly::testing::Cat("f", std::to_string(10 + i));
                args.push_back(tree.path(name));
                if (i % 3 == 1) {
                    expected += missingLine(tree.path(name));
                    continue;
                }
                const std::string number = "877798" + std::to_string(1000 + i);
                tree.file(name, "tel " + number);
                expected += number + "\n";
            }
        } else {
            // Long names, so that holding the messages would show.
            std::string list;
            const std::string stem = tree.path(std::string(200, 'm'));
            for (int i = 0; i < missing; ++i)
                list += stem + std::to_string(i) + "\n";
            tree.file("list", list);
            args.push_back("--files-from=" + tree.path("list"));
        }
        Limits limits;
        limits.errorsWithOutput = true;
        rusage usage{};
        const Outcome o = Run(args, limits, missing ? &usage : nullptr);
        QCOMPARE(o.status, 2);
        if (missing == 0) QCOMPARE(o.out, expected);
        if (missing) {
            QCOMPARE(std::count(o.out.begin(), o.out.end(), '\n'), std::ptrdiff_t(missing));
            QVERIFY(o.out.ends_with(
                missingLine(tree.path(std::string(200, 'm')) + std::to_string(missing - 1))));
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
            // The peak counts this test's own pages shared at the fork (some 30 MB); the
            // messages held would add over 50 MB.
            QVERIFY2(usage.ru_maxrss < 48 * 1024, std::to_string(usage.ru_maxrss).c_str());
#endif
        }
    }

    // A number found is written soon, while the input is still being read: at once on a
    // terminal, within a fraction of a second into a pipe.
    void numbersWrittenSoon_data() {
        QTest::addColumn<bool>("terminal");
        QTest::newRow("pipe") << false;
        QTest::newRow("terminal") << true;
    }

    void numbersWrittenSoon() {
        QFETCH(bool, terminal);
        std::string line;
        const int waited = FirstLineWhileInputOpen(terminal, line);
        QVERIFY2(waited >= 0 && waited < 2000, std::to_string(waited).c_str());
        // A terminal ends its lines with CR LF.
        QCOMPARE(line, std::string(terminal ? "8777984141\r\n" : "8777984141\n"));
    }

    // Two jobs and a slow reader: the scan ahead of the writer stays within a few pieces, so
    // memory does not grow with the input.
    void memoryBoundedAheadOfTheWriter() {
        TempTree tree;
        std::string text;
        for (int i = 0; i < 4000000; ++i)
            text += "8777984141\n";
        tree.file("a.txt", text);
        text.clear();
        text.shrink_to_fit();
        rusage usage{};
        const Outcome o = Run({"--jobs", "2", tree.path("a.txt"), tree.path("a.txt")}, {}, &usage);
        QCOMPARE(o.status, 0);
        QCOMPARE(o.out.size(), std::size_t(88000000));
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        // AddressSanitizer holds freed memory in quarantine (256 MB by default) and
        // ThreadSanitizer keeps shadow memory, so a sanitized process's peak says nothing of the
        // program's own bound; the normal build checks it.
        QVERIFY2(usage.ru_maxrss < 64 * 1024, std::to_string(usage.ru_maxrss).c_str());
#endif
    }

    // A process that may make no further threads still reads every file, in order.
    void noThreadsToBeHad() {
        TempTree tree;
        Strings args{"--jobs", "8", "--lengths", "10"};
        std::string expected;
        for (int i = 0; i < 20; ++i) {
            const std::string number = tessaly::testing::Cat("877798", std::to_string(1000 + i));
            tree.file(tessaly::testing::Cat("f", std::to_string(10 + i)), number);
            args.push_back(tree.path(tessaly::testing::Cat("f", std::to_string(10 + i))));
            expected += number + "\n";
        }
        Limits limits;
        limits.asNobody = true;
        limits.processes = 0;
        const Outcome o = Run(args, limits);
        QCOMPARE(o.status, 0);
        QCOMPARE(o.out, expected);
        QCOMPARE(o.err, std::string());
    }

    // Names and texts with shell and format syntax are only ever names and texts: no command
    // runs, the messages show them as they are, control characters escaped as `ls -b` does.
    void shellAndFormatSyntax_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("shown");  // empty: as it is
        QTest::newRow("command substitution") << QByteArray("$(touch pwned).txt") << QByteArray();
        QTest::newRow("back quotes and separators")
            << QByteArray("`touch pwned`;touch pwned|x") << QByteArray();
        QTest::newRow("format directives") << QByteArray("%s%n%x%p%%.txt") << QByteArray();
        QTest::newRow("redirection and globbing")
            << QByteArray("> pwned < * ?.txt") << QByteArray();
        QTest::newRow("line break and escape") << QByteArray("a\ntouch pwned\n\x1b[2J.txt")
                                               << QByteArray("a\\ntouch pwned\\n\\033[2J.txt");
        QTest::newRow("C1 control, bad UTF-8, backslash")
            << QByteArray("\xC2\x9B\xFF\\\xC3\xA9") << QByteArray("\\302\\233\\377\\\\\xC3\xA9");
    }

    void shellAndFormatSyntax() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, shown);
        TempTree tree;
        tree.file(name.toStdString(), "tel 877-798-4141");
        Limits limits;
        limits.workingFolder = tree.root();
        const std::string missing = tree.path("missing " + name.toStdString());
        const Outcome o = Run({"--require", "%s%n-", "--lengths", "10",
                               tree.path(name.toStdString()), missing, "--", name.toStdString()},
                              limits);
        QCOMPARE(o.status, 2);
        QCOMPARE(o.out, std::string());  // "%s%n-" is no part of any number
        QCOMPARE(o.err, "tessaly-extract: Cannot read \"" + tree.path("missing ") +
                            (shown.isEmpty() ? name : shown).toStdString() +
                            "\": No such file or directory\n");
        const Outcome plain = Run({"--lengths", "10", name.toStdString()}, limits);
        QCOMPARE(plain.out, std::string("8777984141\n"));
        QVERIFY(!std::filesystem::exists(tree.path("pwned")));
    }
};

QTEST_GUILESS_MAIN(ExtractFaultsTest)
#include "test_extract_faults.moc"
