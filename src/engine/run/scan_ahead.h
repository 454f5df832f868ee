#pragma once
// ScanAhead: the run's files opened and scanned on a second thread while the run takes the
// numbers of those before them, so that reading and scanning overlap what the window does with
// the numbers (the result list, the view, the event loop).
//
// The run sees the same files and pieces with the same numbers as when it opens and scans them
// itself:
// - A file is prepared for a path and the rules of the moment, and the run takes it only when
//   its row names the same path and its rules are the same when the run reaches it; otherwise
//   the file is opened again then.
// - The first piece of a file is scanned under the rules it was opened with, as the run does.
//   Each further piece is scanned under the rules the run gave last. When they change while
//   pieces the run has not taken were scanned under the old ones, the scan goes back to where it
//   stood before the first of them (FileNumberScan::Mark) and scans them again; the files
//   prepared after it are dropped.
// - A file that changed at a pass of the event loop (its length or modification time) is read
//   again from the first piece the run has not taken, or opened again when the run comes to it,
//   so that what the run reads after a pass is what the file holds then.
// - A file whose scan cannot go back (a document, a small file) is scanned here only for its
//   first piece; the run scans the rest itself.
// - Once a file turns out to be read whole in one piece, the next files are opened on the run's
//   thread, one by one, until a big one is met: that one is scanned here from its second piece on.
// Made not to use a second thread, it opens each file and scans every piece on the run's
// thread, when asked for.
//
// Memory: at most kAhead pieces and kFilesAhead files wait, and each keeps its room for the next.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "file_number_scan.h"

namespace tessaly {

class ScanAhead {
    struct Job;  // a file prepared or read

  public:
    static constexpr std::size_t kAhead = 64;
    static constexpr std::size_t kFilesAhead = 32;

    explicit ScanAhead(bool onSecondThread);
    ~ScanAhead();
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    // Whether another file may be prepared.
    bool hasRoom();
    // Opens the file at `path` under `rules` and scans it, after those prepared before.
    void prepare(const std::string& path, const ScanRules& rules);
    // The run made a pass of the event loop, where anything may have changed.
    void passed() { ++passes_; }

    // The file the run reads now, its pieces asked for in turn.
    class File {
      public:
        // Throws what opening the file throws (FileReadError, FileSkipped).
        File(ScanAhead& ahead, const std::string& path, const ScanRules& rules);
        ~File();
        File(const File&) = delete;
        File& operator=(const File&) = delete;

        const FileStamp& stamp() const;
        // As FileNumberScan::nextLines, the lines always asked for.
        bool next(DigitLines& lines, std::vector<std::size_t>& lineNumbers);
        // After a pass of the event loop: as FileNumberScan::setRules for the pieces the run
        // has not taken yet, which are read again when the file changed meanwhile.
        void afterPass(const ScanRules& rules);

      private:
        ScanAhead& ahead_;
        Job* job_;
        ScanRules rules_;
        FileStamp seen_;         // the file as the last pass found it
        bool scansHere_;         // the rest of the file is scanned on the run's thread
        std::size_t taken_ = 0;  // pieces
    };

  private:
    struct Piece {
        Job* job = nullptr;
        bool marked = false;
        FileNumberScan::Mark before;  // where the scan stood before it, when marked
        DigitLines lines;
        std::vector<std::size_t> lineNumbers;
        bool more = false;
        bool last = false;  // the last piece of its file scanned here
        std::exception_ptr failure;
    };

    void work();
    // The first file that still has pieces to scan here.
    Job* nextToScan();
    // The run's thread waits for the thread that scans.
    void waitForTaker(std::unique_lock<std::mutex>& lock);
    // Until the thread scans nothing (of `job`, when given).
    void waitIdle(std::unique_lock<std::mutex>& lock, const Job* job);
    void wakeWorker();
    void wakeTaker();
    void add(const std::string& path, const ScanRules& rules);
    // The first file is done with: its pieces not taken are dropped.
    void release(std::unique_lock<std::mutex>& lock, Job* job);
    Job* claim(const std::string& path, const ScanRules& rules);
    // The next piece; `last`: the last of its file scanned here.
    bool take(DigitLines& lines, std::vector<std::size_t>& lineNumbers, bool& last);
    void goBack(Job* job, const ScanRules& rules);
    // A file opened on the run's thread is scanned here from its next piece on.
    void runAhead(Job* job);
    Job* job(std::size_t i) { return jobs_[(firstJob_ + i) % jobs_.size()].get(); }

    std::mutex mutex_;
    std::condition_variable workerWakes_;
    std::condition_variable takerWakes_;
    const bool onSecondThread_;
    std::unique_ptr<std::thread> thread_;
    // The files, in the run's order: those prepared, the one the run reads first when it reads one.
    std::vector<std::unique_ptr<Job>> jobs_;
    std::size_t firstJob_ = 0;
    std::uint64_t passes_ = 0;  // the run's passes of the event loop, on its thread only
    // Whether the next files are opened here, ahead of the run: not while they are small
    // (the run's thread only).
    bool filesAhead_ = true;
    std::size_t jobCount_ = 0;
    std::vector<Piece> pieces_ = std::vector<Piece>(kAhead);
    std::size_t first_ = 0;    // the next piece to take
    std::size_t waiting_ = 0;  // pieces scanned and not taken
    Job* scanning_ = nullptr;  // the file the thread is at, outside the lock
    bool halted_ = false;
    bool quitting_ = false;
    bool idleWanted_ = false;  // the run waits for the thread to scan nothing
    bool takerWaits_ = false;
    bool workerWaits_ = false;
    bool workerFull_ = false;  // the thread waits for room for a piece
};

}  // namespace tessaly
