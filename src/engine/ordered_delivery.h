#pragma once
// DeliverInOrder: the work of many files done on several threads, its results handed out on the
// calling thread in file order, so the result never depends on the number of threads. The
// file at the head of the order is delivered while it is being worked on; files ahead of it
// are held back, at most a few at a time. The ordered scans of the byte scanner and of the
// written-number reader both run on it.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace tessaly {

// work(index, deliver): does file `index`, calling deliver(Batch&&) for each piece of result,
// and returns its failure description, if any. hand(index, const Batch&) and
// fail(index, description) are called on the calling thread, in file order.
template <class Batch, class Work, class Hand, class Fail>
void DeliverInOrder(std::size_t count, unsigned jobs, Work&& work, Hand&& hand, Fail&& fail) {
    jobs = std::max(
        1u, std::min<unsigned>(jobs, static_cast<unsigned>(std::max<std::size_t>(count, 1))));
    auto workHere = [&] {
        for (std::size_t i = 0; i < count; ++i) {
            auto failure = work(i, [&](Batch&& batch) { hand(i, batch); });
            if (failure) fail(i, *failure);
        }
    };
    if (jobs == 1) return workHere();

    struct Slot {
        std::deque<Batch> batches;
        std::optional<std::string> failure;
        bool done = false;
    };
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
            auto failure = work(index, [&](Batch&& batch) {
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
    if (threads.empty()) return workHere();

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
                fail(head, failure);
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
