#pragma once
// CountingThread: --count's table kept on a thread of its own. The writer hands the values over
// in chunks and goes on with the scan while the thread enters them in a DistinctValues, so where
// a second processor core is free, counting millions of distinct numbers costs the run little
// more time than writing them would. Where no thread can be had, the values are counted on the
// caller's thread. The thread falls behind for a while when its table doubles, so a few
// megabytes of values may wait for it; a writer that runs further ahead waits for the thread.

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "distinct_values.h"

namespace tessaly::cli {

class CountingThread {
  public:
    CountingThread();
    ~CountingThread();
    CountingThread(const CountingThread&) = delete;
    CountingThread& operator=(const CountingThread&) = delete;

    // One finding of `value`.
    void count(std::string_view value);
    // One finding of each value in `lines`, each ended by a line feed (a batch of the scan's
    // digit lines, far below 4 GB), handed over whole.
    void countLines(std::string_view lines);
    // The findings from now on are one file's; takeBackFile() takes them all back (a file that
    // failed part-way is counted as if never read).
    void beginFile();
    void takeBackFile();
    // Waits until every value handed over is counted and returns the table; throws what the
    // counting threw (a table grown past what the system gives).
    DistinctValues& finish();

  private:
    static constexpr std::size_t kChunk = 64 * 1024;
    static constexpr std::size_t kMostHanded = 64;  // chunks waiting for the thread
    void handOver();
    void put(std::uint32_t length);
    void run();
    void stop();

    DistinctValues values_;
    // Values as a length byte (255: a 32-bit length follows) and bytes; a file's beginning, its
    // taking back and a block of lines (its 32-bit size and bytes follow) as a 32-bit length no
    // value has.
    std::string filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> handed_;  // chunks waiting for the thread, oldest first
    std::vector<std::string> spare_;  // chunks counted, to be filled again
    bool ending_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace tessaly::cli
