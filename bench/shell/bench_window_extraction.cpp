// The window's extraction against tessaly-extract --jobs 1 on the same files: the real window
// offscreen, its models and views, passes of Qt's event loop while it runs. Prints both times,
// wall and CPU (user + system), best and median of alternated runs, their ratios (goal: 1.3 or
// less) and the number of results each found. --window-only runs the window alone, for a
// profiler.
//
//   bench_window_extraction [--extract PATH] [--runs N] [--window-only] FILE...

#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_window.h"

namespace {

struct Times {
    double wall = 0;
    double cpu = 0;  // user + system
};

double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Times RunWindow(const QStringList& files, std::size_t* results) {
    tessaly::bench::BenchWindow window;
    for (const QString& f : files)
        window.form->inputList().append(QFile::encodeName(f).toStdString());
    auto* start = window.form->findChild<QPushButton*>("startButton");
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    const double cpu = CpuSeconds(RUSAGE_SELF);
    timer.start();
    start->click();
    // The list laid out and painted with every result, as the user sees it at "Done.".
    QCoreApplication::processEvents();
    const Times times{timer.nsecsElapsed() / 1e9, CpuSeconds(RUSAGE_SELF) - cpu};
    if (window.boxes.notices.size() != 1 || !window.boxes.notices[0].starts_with("Done.") ||
        !window.errors.reports.empty()) {
        std::fprintf(stderr, "the window's run did not end with \"Done.\" alone\n");
        std::exit(1);
    }
    *results = window.form->resultList().count();
    return times;
}

// The extractor's CPU time is its own, as a child waited for.
Times RunExtract(const QString& extract, const QStringList& files, std::size_t* results) {
    QTemporaryDir dir;
    const QString out = dir.filePath("numbers.txt");
    QProcess process;
    process.setProgram(extract);
    process.setArguments(QStringList{"--jobs", "1", "--lengths", "10,11", "--output", out} + files);
    QElapsedTimer timer;
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    timer.start();
    process.start();
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(extract),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    const Times times{timer.nsecsElapsed() / 1e9, CpuSeconds(RUSAGE_CHILDREN) - cpu};
    QFile file(out);
    file.open(QIODevice::ReadOnly);
    *results = 0;
    while (!file.atEnd())
        *results += file.readLine().isEmpty() ? 0 : 1;
    return times;
}

double Best(std::vector<double> v) {
    return *std::min_element(v.begin(), v.end());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString extract = QCoreApplication::applicationDirPath() + "/tessaly-extract";
    int runs = 5;
    bool windowOnly = false;
    while (!args.isEmpty() && args[0].startsWith("--")) {
        if (args[0] == "--window-only") {
            windowOnly = true;
            args = args.mid(1);
        } else if (args.size() >= 2 && args[0] == "--extract") {
            extract = args[1];
            args = args.mid(2);
        } else if (args.size() >= 2 && args[0] == "--runs" && args[1].toInt() > 0) {
            runs = args[1].toInt();
            args = args.mid(2);
        } else {
            args.clear();
        }
    }
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "usage: bench_window_extraction [--extract PATH] [--runs N] "
                     "[--window-only] FILE...\n");
        return 2;
    }
    qint64 bytes = 0;
    for (const QString& f : args)
        bytes += QFileInfo(f).size();

    // Alternated runs, with the files already in the page cache.
    std::vector<double> windowWall, windowCpu, cliWall, cliCpu;
    std::size_t windowResults = 0, cliResults = 0;
    if (!windowOnly) RunExtract(extract, args, &cliResults);
    for (int i = 0; i < runs; ++i) {
        const Times window = RunWindow(args, &windowResults);
        windowWall.push_back(window.wall);
        windowCpu.push_back(window.cpu);
        if (windowOnly) {
            std::printf("window run: %.3f s, CPU %.3f s\n", window.wall, window.cpu);
            continue;
        }
        const Times cli = RunExtract(extract, args, &cliResults);
        cliWall.push_back(cli.wall);
        cliCpu.push_back(cli.cpu);
    }
    if (windowOnly) return 0;
    std::printf("%lld files, %.0f MB, %d alternated runs each\n",
                static_cast<long long>(args.size()), bytes / 1048576.0, runs);
    std::printf("                           wall best / median    CPU best / median\n");
    std::printf("window run:                %.3f / %.3f s        %.3f / %.3f s  (%zu results)\n",
                Best(windowWall), Median(windowWall), Best(windowCpu), Median(windowCpu),
                windowResults);
    std::printf("tessaly-extract --jobs 1:  %.3f / %.3f s        %.3f / %.3f s  (%zu results)\n",
                Best(cliWall), Median(cliWall), Best(cliCpu), Median(cliCpu), cliResults);
    std::printf("ratio window / extract (goal <= 1.3): wall %.2f / %.2f, CPU %.2f / %.2f\n",
                Best(windowWall) / Best(cliWall), Median(windowWall) / Median(cliWall),
                Best(windowCpu) / Best(cliCpu), Median(windowCpu) / Median(cliCpu));
    if (windowResults != cliResults) {
        std::fprintf(stderr, "the two found different numbers of results\n");
        return 1;
    }
    return 0;
}
