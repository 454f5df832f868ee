#include "ordered_scan.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "error_report.h"
#include "file_number_scan.h"

namespace tessaly {

namespace {

// The numbers of one piece of a file, with their lines when the rules ask for them.
struct Batch {
    std::vector<PhoneNumber> numbers;
    std::vector<std::size_t> lines;
};

// Scans one file, handing each piece's numbers to `deliver`, which returns false to end the
// scan early; returns the failure, if any.
template <class Deliver>
std::optional<std::string> ScanOne(const std::string& path, const ScanRules& rules,
                                   Deliver&& deliver) {
    try {
        FileNumberScan scan(path, rules);
        for (bool more = true; more;) {
            Batch batch;
            more = scan.next(batch.numbers, &batch.lines);
            if (!batch.numbers.empty() && !deliver(std::move(batch))) break;
        }
        return std::nullopt;
    } catch (...) {
        return DescribeFailure(std::current_exception());
    }
}

struct Slot {
    std::deque<Batch> batches;
    std::optional<std::string> failure;
    bool done = false;
};

}  // namespace

void ScanFilesInOrder(const std::vector<std::string>& paths, const ScanRules& rules, unsigned jobs,
                      const OrderedScanEvents& events) {
    const std::size_t count = paths.size();
    auto hand = [&](std::size_t index, const Batch& batch) {
        events.numbers(index, batch.numbers);
        if (rules.lineNumbers && events.lines) events.lines(index, batch.lines);
    };
    const auto stopRequested = [&] { return events.stop && events.stop(); };
    // More threads than pieces that may wait would only wait, each holding its read buffers.
    jobs = static_cast<unsigned>(
        std::max<std::size_t>(1, std::min<std::size_t>({jobs, count, kPiecesInFlight})));
    auto scanHere = [&] {
        bool stopped = false;
        for (std::size_t i = 0; i < count && !stopped; ++i) {
            auto failure = ScanOne(paths[i], rules, [&](Batch&& batch) {
                hand(i, batch);
                return !(stopped = stopRequested());
            });
            if (failure && !stopped) events.failure(i, *failure);
            stopped = stopped || stopRequested();
        }
    };
    if (jobs == 1) return scanHere();

    // Files a worker may run ahead of the one being delivered; their slots form a ring.
    const std::size_t lookahead = 2 * jobs;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Slot> slots(lookahead);
    std::size_t queued = 0;  // pieces of all files scanned and not yet delivered
    std::size_t nextFile = 0;
    std::size_t head = 0;
    bool stopping = false;

    auto worker = [&] {
        for (;;) {
            std::size_t index;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] {
                    return stopping || nextFile >= count || nextFile < head + lookahead;
                });
                if (stopping || nextFile >= count) return;
                index = nextFile++;
            }
            Slot& slot = slots[index % lookahead];
            auto failure = ScanOne(paths[index], rules, [&](Batch&& batch) {
                std::unique_lock lock(mutex);
                // The file being delivered may always hand over a piece once its last one was
                // taken, so the work goes on however full the queue is with later files.
                changed.wait(lock, [&] {
                    return stopping || queued < kPiecesInFlight ||
                           (index == head && slot.batches.empty());
                });
                if (stopping) return false;
                slot.batches.push_back(std::move(batch));
                ++queued;
                changed.notify_all();
                return true;
            });
            std::lock_guard lock(mutex);
            slot.failure = std::move(failure);
            slot.done = true;
            changed.notify_all();
        }
    };
    // The system may refuse further threads (a process limit): the work goes on with those it
    // gave, and on this thread alone when it gave none.
    std::vector<std::thread> threads;
    for (unsigned j = 0; j < jobs; ++j) {
        try {
            threads.emplace_back(worker);
        } catch (const std::system_error&) {
            break;
        }
    }
    if (threads.empty()) return scanHere();

    for (std::unique_lock lock(mutex); head < count && !stopping;) {
        Slot& slot = slots[head % lookahead];
        changed.wait(lock, [&] { return !slot.batches.empty() || slot.done; });
        while (!slot.batches.empty() && !stopping) {
            Batch batch = std::move(slot.batches.front());
            slot.batches.pop_front();
            --queued;
            changed.notify_all();
            lock.unlock();
            hand(head, batch);
            const bool stop = stopRequested();
            lock.lock();
            stopping = stop;
        }
        if (slot.done && !stopping) {
            if (slot.failure) {
                const std::string failure = *slot.failure;
                lock.unlock();
                events.failure(head, failure);
                lock.lock();
            }
            slot.batches.clear();
            slot.failure.reset();
            slot.done = false;
            ++head;
        }
        changed.notify_all();
    }
    for (std::thread& t : threads)
        t.join();
}

}  // namespace tessaly
