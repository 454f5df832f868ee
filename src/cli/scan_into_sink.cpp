#include "scan_into_sink.h"

#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <string>

#include "error_report.h"
#include "ordered_scan.h"

namespace tessaly::cli {

namespace {

constexpr std::string_view kIncompleteFileNote =
    " (the numbers already printed for this file are incomplete)";

const std::string& OutOfMemory() {
    static const std::string text = DescribeFailure(std::make_exception_ptr(std::bad_alloc()));
    return text;
}

// The events of either ordered scan, for the numbers of its kind.
template <class Events, class Numbers>
struct Delivery {
    NumberSink& sink;
    OutputFile& out;
    RunReport& report;
    std::optional<std::string> cannotKeep;

    // Runs `step` on the sink in the output's turn; a failure of the sink ends the scan.
    template <class Step>
    void inTurn(Step&& step) {
        if (cannotKeep) return;
        try {
            const OutputFile::Turn turn(out);
            step();
        } catch (...) {
            cannotKeep = DescribeFailure(std::current_exception());
        }
    }

    Events events() {
        Events e;
        e.file = [this](std::size_t index, const std::string& path) {
            inTurn([&] {
                report.reached(index);
                sink.enterFile(path);
            });
        };
        e.numbers = [this](std::size_t, const Numbers& numbers) {
            inTurn([&] { sink.take(numbers); });
        };
        e.failure = [this](std::size_t, const std::string& description) {
            // A file read that found no memory leaves the run without it too: what is kept
            // for the end could not be trusted whole. The run ends, said once, at the end.
            if (description == OutOfMemory()) cannotKeep = description;
            inTurn([&] {
                const bool stayWritten = sink.fileFailed();
                report.failure(stayWritten ? description + std::string(kIncompleteFileNote)
                                           : description);
            });
        };
        // A file that is not text is skipped with a notice, which is no failure (as grep passes
        // over binary files).
        e.skipped = [this](std::size_t, const std::string& notice) {
            inTurn([&] { report.notice(notice); });
        };
        e.stop = [this] { return cannotKeep || out.readerGone(); };
        return e;
    }

    bool end() {
        {
            const OutputFile::Turn turn(out);
            report.reached(std::numeric_limits<std::size_t>::max());
        }
        inTurn([&] { sink.finish(); });
        if (!cannotKeep) return true;
        const OutputFile::Turn turn(out);
        report.failure("cannot keep the numbers: " + *cannotKeep);
        return false;
    }
};

}  // namespace

bool ScanIntoSink(ExtractInputs& inputs, const ScanRules& rules, unsigned jobs, NumberSink& sink,
                  OutputFile& out, RunReport& report, const NumberRefiner& refine) {
    const NextPath next = [&inputs] { return inputs.next(); };
    if (rules.readsWritten()) {
        Delivery<WrittenScanEvents, std::vector<WrittenNumber>> delivery{sink, out, report, {}};
        WrittenScanEvents events = delivery.events();
        events.refine = refine;
        ScanWrittenInOrder(next, rules, jobs, events);
        return delivery.end();
    }
    Delivery<OrderedScanEvents, ScanBatch> delivery{sink, out, report, {}};
    ScanFilesInOrder(next, rules, jobs, delivery.events());
    return delivery.end();
}

}  // namespace tessaly::cli
