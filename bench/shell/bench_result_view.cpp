// The result list of the real window with a million rows: appended in batches with a pass of
// the event loop after each (as a run does), scrolled page by page with every page painted, and
// cleared.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include "bench_window.h"
#include "report_list_view.h"

namespace {

constexpr int kRows = 1'000'000;

std::vector<tessaly::PhoneNumber> Batch(int first, int count) {
    std::vector<tessaly::PhoneNumber> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.emplace_back(std::to_string(8000000000LL + first + i));
    }
    return rows;
}

void Fill(tessaly::MainWindow& form, int batch) {
    for (int first = 0; first < kRows; first += batch) {
        form.resultList().append(Batch(first, batch));
        QCoreApplication::processEvents();
    }
}

// A million rows appended in batches of the given size, a pass of the event loop after each.
void BM_AppendMillion(benchmark::State& state) {
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        tessaly::bench::BenchWindow window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
        Fill(*window.form, batch);
        state.PauseTiming();
        window.form.reset();
        state.ResumeTiming();
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AppendMillion)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page down in a million rows, painted.
void BM_ScrollPage(benchmark::State& state) {
    tessaly::bench::BenchWindow window;
    Fill(*window.form, 50000);
    auto* list = window.form->findChild<tessaly::ReportListView*>("resultList");
    QScrollBar* bar = list->verticalScrollBar();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        if (bar->value() == bar->maximum()) bar->setValue(0);
        list->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollPage)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A jump to a random place in a million rows, painted.
void BM_ScrollJump(benchmark::State& state) {
    tessaly::bench::BenchWindow window;
    Fill(*window.form, 50000);
    auto* list = window.form->findChild<tessaly::ReportListView*>("resultList");
    QScrollBar* bar = list->verticalScrollBar();
    QCoreApplication::processEvents();
    unsigned seed = 1;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        bar->setValue(static_cast<int>(seed % static_cast<unsigned>(bar->maximum() + 1)));
        list->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollJump)->Unit(benchmark::kMicrosecond)->UseRealTime();

// "Clear List" of a million rows, and the pass that repaints the empty list.
void BM_ClearMillion(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        tessaly::bench::BenchWindow window;
        Fill(*window.form, 50000);
        state.ResumeTiming();
        window.form->findChild<QPushButton*>("clearResultsButton")->click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClearMillion)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
