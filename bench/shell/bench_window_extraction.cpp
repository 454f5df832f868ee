// The window's extraction against tessaly-extract --jobs 1 on the same files: the real window
// offscreen, its models and views, passes of Qt's event loop while it runs. Prints both times,
// their ratio (goal: 1.3 or less) and the number of results each found.
//
//   bench_window_extraction [--extract PATH] FILE...

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_window.h"

namespace {

double RunWindow(const QStringList& files, std::size_t* results) {
    tessaly::bench::BenchWindow window;
    for (const QString& f : files)
        window.form->inputList().append(QFile::encodeName(f).toStdString());
    auto* start = window.form->findChild<QPushButton*>("startButton");
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    start->click();
    // The list laid out and painted with every result, as the user sees it at "Done.".
    QCoreApplication::processEvents();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (window.boxes.notices.size() != 1 || !window.boxes.notices[0].starts_with("Done.") ||
        !window.errors.reports.empty()) {
        std::fprintf(stderr, "the window's run did not end with \"Done.\" alone\n");
        std::exit(1);
    }
    *results = window.form->resultList().count();
    return seconds;
}

double RunExtract(const QString& extract, const QStringList& files, std::size_t* results) {
    QTemporaryDir dir;
    const QString out = dir.filePath("numbers.txt");
    QProcess process;
    process.setProgram(extract);
    process.setArguments(QStringList{"--jobs", "1", "--lengths", "10,11", "--output", out} + files);
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(extract),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    QFile file(out);
    file.open(QIODevice::ReadOnly);
    *results = 0;
    while (!file.atEnd())
        *results += file.readLine().isEmpty() ? 0 : 1;
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString extract = QCoreApplication::applicationDirPath() + "/tessaly-extract";
    if (args.size() >= 2 && args[0] == "--extract") {
        extract = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_window_extraction [--extract PATH] FILE...\n");
        return 2;
    }
    qint64 bytes = 0;
    for (const QString& f : args)
        bytes += QFileInfo(f).size();

    // Best of three each, alternating, with the files already in the page cache.
    double window = 1e100, cli = 1e100;
    std::size_t windowResults = 0, cliResults = 0;
    RunExtract(extract, args, &cliResults);
    for (int i = 0; i < 3; ++i) {
        window = std::min(window, RunWindow(args, &windowResults));
        cli = std::min(cli, RunExtract(extract, args, &cliResults));
    }
    std::printf("%lld files, %.0f MB\n", static_cast<long long>(args.size()), bytes / 1048576.0);
    std::printf("window run:                %.3f s  (%zu results)\n", window, windowResults);
    std::printf("tessaly-extract --jobs 1:  %.3f s  (%zu results)\n", cli, cliResults);
    std::printf("ratio window / extract (goal <= 1.3): %.2f\n", window / cli);
    if (windowResults != cliResults) {
        std::fprintf(stderr, "the two found different numbers of results\n");
        return 1;
    }
    return 0;
}
