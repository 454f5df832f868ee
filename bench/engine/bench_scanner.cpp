// Scanner and reader throughput on generated ASCII text held in memory or in the page cache.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "file_number_scan.h"
#include "number_stream.h"
#include "phone_scanner.h"

namespace {

std::string Text(std::size_t size) {
    static const char* pieces[] = {"call ",           "the ",      "office ",
                                   "(877) 798-4141 ", "invoice ",  "2026-03-14 ",
                                   "regards,\n",      "555-0199 ", "customer "};
    std::mt19937 rng(1);
    std::string t;
    while (t.size() < size)
        t += pieces[rng() % 9];
    t.resize(size);
    return t;
}

void StreamText(benchmark::State& state, const std::string& text) {
    std::vector<tessaly::PhoneNumber> out;
    for (auto _ : state) {
        out.clear();
        tessaly::NumberStream stream;
        stream.feed(text.data(), text.size(), out);
        stream.finish(out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_NumberStream(benchmark::State& state) {
    StreamText(state, Text(std::size_t(state.range(0))));
}
BENCHMARK(BM_NumberStream)->Arg(1 << 20)->Arg(16 << 20);

void BM_NumberStreamDigitsOnly(benchmark::State& state) {
    StreamText(state, std::string(std::size_t(state.range(0)), '7'));
}
BENCHMARK(BM_NumberStreamDigitsOnly)->Arg(16 << 20);

void BM_ExtractPhoneLines(benchmark::State& state) {
    const std::string text = Text(std::size_t(state.range(0)));
    const std::u16string wide(text.begin(), text.end());
    for (auto _ : state) {
        std::size_t found = 0;
        std::size_t start = 0;
        while (start < wide.size()) {
            std::size_t end = wide.find(u'\n', start);
            if (end == std::u16string::npos) end = wide.size();
            found += tessaly::ExtractPhone(std::u16string_view(wide).substr(start, end - start), {})
                         .size();
            start = end + 1;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ExtractPhoneLines)->Arg(1 << 20);

void BM_FileNumberScan(benchmark::State& state) {
    const std::string text = Text(64 << 20);
    const std::string path = "/tmp/tessaly_bench_scan.txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    std::vector<tessaly::PhoneNumber> out;
    for (auto _ : state) {
        out.clear();
        tessaly::ScanFileNumbers(path, {}, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_FileNumberScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
