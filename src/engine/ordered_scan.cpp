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

// Scans one file, handing each piece's numbers to `deliver`; returns the failure, if any.
template <class Deliver>
std::optional<std::string> ScanOne(const std::string& path, const ScanRules& rules,
                                   Deliver&& deliver) {
    try {
        FileNumberScan scan(path, rules);
        for (bool more = true; more;) {
            Batch batch;
            more = scan.next(batch.numbers, &batch.lines);
            if (!batch.numbers.empty()) deliver(std::move(batch));
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
    jobs = std::max(
        1u, std::min<unsigned>(jobs, static_cast<unsigned>(std::max<std::size_t>(count, 1))));
    auto scanHere = [&] {
        for (std::size_t i = 0; i < count; ++i) {
            auto failure = ScanOne(paths[i], rules, [&](Batch&& batch) { hand(i, batch); });
            if (failure) events.failure(i, *failure);
        }
    };
    if (jobs == 1) return scanHere();

    // Files a worker may run ahead of the one being delivered.
    const std::size_t lookahead = 2 * jobs;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Slot> slots(count);
    std::size_t nextFile = 0;
    std::size_t head = 0;

    auto worker = [&] {
        for (;;) {
            std::size_t index;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock,
                             [&] { return nextFile >= count || nextFile < head + lookahead; });
                if (nextFile >= count) return;
                index = nextFile++;
            }
            auto failure = ScanOne(paths[index], rules, [&](Batch&& batch) {
                std::lock_guard lock(mutex);
                slots[index].batches.push_back(std::move(batch));
                changed.notify_all();
            });
            std::lock_guard lock(mutex);
            slots[index].failure = std::move(failure);
            slots[index].done = true;
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

    for (std::unique_lock lock(mutex); head < count;) {
        Slot& slot = slots[head];
        changed.wait(lock, [&] { return !slot.batches.empty() || slot.done; });
        while (!slot.batches.empty()) {
            Batch batch = std::move(slot.batches.front());
            slot.batches.pop_front();
            lock.unlock();
            hand(head, batch);
            lock.lock();
        }
        if (slot.done) {
            if (slot.failure) {
                const std::string failure = *slot.failure;
                lock.unlock();
                events.failure(head, failure);
                lock.lock();
            }
            slot = Slot{};
            ++head;
            changed.notify_all();
        }
    }
    for (std::thread& t : threads)
        t.join();
}

}  // namespace tessaly
