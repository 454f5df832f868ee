// Duplicate removal and the two file formats on lists of a million and ten million rows, with
// the window's pacing (a pass of an idle event loop every 15 ms); and the memory a result row
// takes with its source, at ten million rows.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <random>
#include <string>

#include "byte_sink.h"
#include "comma_delimited_format.h"
#include "duplicate_removal.h"
#include "platform/event_loop.h"
#include "result_list_table.h"
#include "text_table_format.h"

using namespace tessaly;

namespace {

class IdleLoop : public EventLoop {
  public:
    bool yield() override { return true; }
};

// `rows` numbers of 7 to 12 digits, about one in `repeat` of them a repeat of an earlier one.
ResultList MakeList(std::size_t rows, std::size_t repeat) {
    std::mt19937_64 random(rows);
    std::vector<PhoneNumber> numbers;
    numbers.reserve(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        if (i > 0 && random() % repeat == 0) {
            numbers.push_back(numbers[random() % i]);
            continue;
        }
        const std::size_t digits = 7 + random() % 6;
        std::string text = std::to_string(random());
        numbers.emplace_back(std::string_view(text).substr(0, digits));
    }
    ResultList list;
    list.append(numbers);
    return list;
}

// Counts the bytes instead of keeping them.
class CountingSink : public ByteSink {
  public:
    void write(std::string_view bytes) override { count += bytes.size(); }
    std::size_t count = 0;
};

void BM_RemoveDuplicateRows(benchmark::State& state) {
    const ResultList original = MakeList(std::size_t(state.range(0)), 4);
    IdleLoop loop;
    for (auto _ : state) {
        state.PauseTiming();
        ResultList list = original;
        state.ResumeTiming();
        RemoveDuplicateRows(list, WalkYield{&loop, {}, {}});
        benchmark::DoNotOptimize(list.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <bool (*Format)(const ListTable&, ByteSink&, RowWalk&)>
void BM_Format(benchmark::State& state) {
    const ResultList list = MakeList(std::size_t(state.range(0)), 4);
    const ResultListTable table(list);
    IdleLoop loop;
    for (auto _ : state) {
        CountingSink sink;
        RowWalk walk(table, WalkYield{&loop, {}, {}});
        Format(table, sink, walk);
        benchmark::DoNotOptimize(sink.count);
        state.SetBytesProcessed(state.bytes_processed() + std::int64_t(sink.count));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Bytes the program holds on its heap now.
std::size_t HeapBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Rows appended as a run appends them: a batch per pass of the event loop, each number with its
// file (a new one every 100 numbers, its path 60 bytes long) and line. Reports the heap the list
// holds per row, everything included: numbers, sources, the table of files, the spare room.
void BM_ListMemory(benchmark::State& state) {
    const std::size_t rows = std::size_t(state.range(0));
    constexpr std::size_t kBatch = 20'000, kPerFile = 100;
    double perRow = 0;
    for (auto _ : state) {
        const std::size_t before = HeapBytes();
        {
            ResultList list;
            FoundNumbers batch;
            for (std::size_t n = 0; n < rows; ++n) {
                if (n % kPerFile == 0) {
                    std::string path =
                        "/home/user/documents/collected/2026/file-" + std::to_string(n);
                    path.resize(60, 'x');
                    batch.startFile({path, {}});
                }
                batch.add(PhoneNumber(std::to_string(5550000000 + n)), n % kPerFile + 1);
                if (batch.numbers.size() == kBatch) list.append(batch), batch.clearNumbers();
            }
            list.append(batch);
            batch = {};
            perRow = double(HeapBytes() - before) / double(rows);
            benchmark::DoNotOptimize(list.count());
        }
    }
    state.counters["bytes/row"] = perRow;
}

}  // namespace

BENCHMARK(BM_ListMemory)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDuplicateRows)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Format<FormatListAsText>)
    ->Name("BM_TextTable")
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Format<FormatListCommaDelimited>)
    ->Name("BM_CommaDelimited")
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
