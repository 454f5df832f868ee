#pragma once
// DeliverInOrder: the work of many files done on several threads, its results handed out on the
// calling thread in file order, so the result never depends on the number of threads. The
// file at the head of the order is delivered while it is being worked on; pieces of files ahead
// of it are held back, at most kHeldBytes of their results in all, so memory stays bounded
// whatever the number of files, their sizes or the pace at which the results are taken. The
// ordered scans of the byte scanner and of the written-number reader both run on it.

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

// The memory the results of pieces worked on and not yet delivered may hold, all files together
// (the file being delivered may always hand over one more piece). A piece's results are small
// beside its text, so a worker can finish whole files while the one before is delivered.
inline constexpr std::size_t kHeldBytes = 8 * 1024 * 1024;
// More threads than this would only wait for the delivery, each holding its read buffer.
inline constexpr unsigned kMostJobs = 16;

// next(): the path of the next file, nothing once all were given; asked on one thread at a
// time, not necessarily the calling one, and never more than 2 × jobs files ahead
// of the one being delivered. work(path, deliver): does that file, calling
// deliver(Batch&&) for each piece of result (false from it ends the work early), and returns
// its failure description, if any; a Batch's heldBytes() is the memory it holds, and deliver may
// leave in the batch handed to it a cleared one delivered before, whose room the work fills
// again (clear() empties a batch and keeps its room). begin(index,
// path), then hand(index, const Batch&) and fail(index, description) are called on the calling
// thread, in file order, begin once for every file before anything else of it; stopRequested()
// is asked after each delivery: true ends everything there.
template <class Batch, class Next, class Work, class Begin, class Hand, class Fail, class Stop>
void DeliverInOrder(unsigned jobs, Next&& next, Work&& work, Begin&& begin, Hand&& hand,
                    Fail&& fail, Stop&& stopRequested) {
    jobs = std::clamp(jobs, 1u, kMostJobs);
    auto workHere = [&] {
        bool stopped = false;
        for (std::size_t i = 0; !stopped; ++i) {
            const std::optional<std::string> path = next();
            if (!path) break;
            begin(i, *path);
            auto failure = work(*path, [&](Batch&& batch) {
                hand(i, batch);
                return !(stopped = stopRequested());
            });
            if (failure && !stopped) fail(i, *failure);
            stopped = stopped || stopRequested();
        }
    };
    if (jobs == 1) return workHere();

    struct Held {
        Batch batch;
        std::size_t bytes;
    };
    struct Slot {
        std::string path;
        std::deque<Held> batches;
        std::optional<std::string> failure;
        bool done = false;
    };
    // Files a worker may run ahead of the one being delivered; their slots form a ring (not named
    // "slots", which Qt code defines away).
    const std::size_t lookahead = 2 * jobs;
    std::mutex mutex;
    // Each side is woken only when it waits and what it waits for may have come: the calling
    // thread for the head file's pieces, the workers for room and for files to take. Pieces
    // take tens of microseconds each, and waking a thread that has nothing to do costs several.
    std::condition_variable deliverable;
    std::condition_variable room;
    std::size_t delivererWaits = 0;  // 1 while the calling thread waits
    std::size_t workersWaiting = 0;
    const auto wait = [](std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                         auto& waiting, auto&& ready) {
        while (!ready()) {
            ++waiting;
            changed.wait(lock);
            --waiting;
        }
    };
    const auto wakeDeliverer = [&] {
        if (delivererWaits) deliverable.notify_one();
    };
    const auto wakeWorkers = [&] {
        if (workersWaiting > 0) room.notify_all();
    };
    std::vector<Slot> ring(lookahead);
    std::size_t held = 0;  // bytes of the pieces done and not yet delivered, and of the spares
    // Batches delivered, emptied for the workers to fill again: a new batch would grow its room
    // anew, copying what it holds each time, on memory the system must first hand out.
    std::vector<Held> spares;
    const std::size_t mostSpares = 4 * jobs;
    // Its room is taken before any worker starts: a system out of memory later must not fail
    // the calling thread while workers run, which would end the program without a word.
    spares.reserve(mostSpares);
    std::size_t nextFile = 0;
    bool allGiven = false;  // next() gave nothing more; nextFile is the number of files
    std::size_t head = 0;
    bool stopping = false;

    // One worker at a time takes the next file; finding its path (a folder listed, files looked
    // at) holds up neither the delivery nor the other workers.
    std::mutex taking;
    auto worker = [&] {
        for (;;) {
            std::unique_lock turn(taking);
            {
                std::unique_lock lock(mutex);
                wait(lock, room, workersWaiting,
                     [&] { return stopping || allGiven || nextFile < head + lookahead; });
                if (stopping || allGiven) return;
            }
            std::optional<std::string> path = next();
            std::unique_lock lock(mutex);
            if (!path) {
                allGiven = true;
                wakeDeliverer();
                wakeWorkers();
                return;
            }
            // Still within the look-ahead: only this worker moves nextFile on.
            const std::size_t index = nextFile++;
            Slot& slot = ring[index % lookahead];
            slot.path = std::move(*path);
            lock.unlock();
            turn.unlock();
            auto failure = work(slot.path, [&](Batch&& batch) {
                const std::size_t bytes = batch.heldBytes();
                std::unique_lock lock(mutex);
                // The file being delivered may always hand over a piece once its last one was
                // taken, so the work goes on however full the queue is with later files.
                wait(lock, room, workersWaiting, [&] {
                    return stopping || held < kHeldBytes || (index == head && slot.batches.empty());
                });
                if (stopping) return false;
                slot.batches.push_back({std::move(batch), bytes});
                held += bytes;
                if (!spares.empty()) {
                    batch = std::move(spares.back().batch);
                    held -= spares.back().bytes;
                    spares.pop_back();
                }
                if (index == head) wakeDeliverer();
                return true;
            });
            lock.lock();
            slot.failure = std::move(failure);
            slot.done = true;
            if (index == head) wakeDeliverer();
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

    std::size_t begun = 0;  // files begun on this thread
    for (std::unique_lock lock(mutex); !stopping;) {
        Slot& slot = ring[head % lookahead];
        wait(lock, deliverable, delivererWaits,
             [&] { return !slot.batches.empty() || slot.done || (allGiven && head == nextFile); });
        if (slot.batches.empty() && !slot.done) break;  // every file was delivered
        if (begun == head) {
            ++begun;
            lock.unlock();
            begin(head, slot.path);  // kept, and only read, until this file is delivered
            lock.lock();
        }
        while (!slot.batches.empty() && !stopping) {
            Held piece = std::move(slot.batches.front());
            slot.batches.pop_front();
            held -= piece.bytes;
            wakeWorkers();
            lock.unlock();
            hand(head, piece.batch);
            const bool stop = stopRequested();
            piece.batch.clear();
            piece.bytes = piece.batch.heldBytes();
            lock.lock();
            stopping = stop;
            // Kept only while it leaves room for the pieces still to come.
            if (spares.size() < mostSpares && held + piece.bytes < kHeldBytes / 2) {
                held += piece.bytes;
                spares.push_back(std::move(piece));
            }
        }
        if (slot.done && !stopping) {
            if (slot.failure) {
                const std::string failure = std::move(*slot.failure);  // no copy to fail
                lock.unlock();
                fail(head, failure);
                lock.lock();
            }
            slot.batches.clear();
            slot.failure.reset();
            slot.done = false;
            ++head;
        }
        wakeWorkers();
    }
    for (std::thread& t : threads)
        t.join();
}

}  // namespace tessaly
