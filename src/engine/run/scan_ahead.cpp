#include "scan_ahead.h"

#include <utility>

namespace tessaly {

namespace {

// The run is woken once this many pieces wait, or the thread has nothing more to do, so that a
// piece costs no wake-up; the thread is woken once this many pieces are free again, or this many
// files wait to be scanned.
constexpr std::size_t kWakeAfter = 32;

}  // namespace

struct ScanAhead::Job {
    std::string path;
    ScanRules rules;
    ReadBuffer buffer;  // kept from one file to the next
    std::optional<FileNumberScan> scan;
    std::exception_ptr openFailure;
    bool opened = false;
    bool openedHere = false;       // on the run's thread, which scans it until it hands it over
    bool done = false;             // no further piece of it is scanned here
    std::size_t scanned = 0;       // pieces scanned here
    std::uint64_t preparedAt = 0;  // the run's passes when it was prepared

    // Opens the file; what fails is kept for the run to meet when it takes the file. `opened`
    // is set after, under the lock.
    void open() {
        try {
            scan.emplace(path, rules, FileNumberScan::kDefaultChunkSize, &buffer);
        } catch (...) {
            openFailure = std::current_exception();
        }
    }

    void reset() {
        scan.reset();
        openFailure = nullptr;
        opened = openedHere = done = false;
        scanned = 0;
    }
};

ScanAhead::ScanAhead(bool onSecondThread) : onSecondThread_(onSecondThread) {
    jobs_.resize(kFilesAhead + 1);
    for (auto& j : jobs_)
        j = std::make_unique<Job>();
}

ScanAhead::~ScanAhead() {
    if (!thread_) return;
    {
        std::lock_guard lock(mutex_);
        quitting_ = true;
    }
    workerWakes_.notify_one();
    thread_->join();
}

ScanAhead::Job* ScanAhead::nextToScan() {
    for (std::size_t i = 0; i < jobCount_; ++i) {
        if (!job(i)->done) return job(i);
    }
    return nullptr;
}

void ScanAhead::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        Job* next = nullptr;
        while (!quitting_ &&
               (halted_ || !(next = nextToScan()) || (next->opened && waiting_ == kAhead))) {
            // Nothing more to do for now: the run takes what there is.
            wakeTaker();
            workerFull_ = next && !halted_;
            workerWaits_ = true;
            workerWakes_.wait(lock);
            workerWaits_ = false;
        }
        if (quitting_) return;
        scanning_ = next;
        if (!next->opened) {
            lock.unlock();
            next->open();
            lock.lock();
            next->opened = true;
            next->done = next->openFailure != nullptr;
        } else {
            Piece& piece = pieces_[(first_ + waiting_) % kAhead];
            lock.unlock();
            FileNumberScan& scan = *next->scan;
            piece.job = next;
            piece.marked = next->scanned > 0;
            piece.lines.clear();
            piece.lineNumbers.clear();
            piece.failure = nullptr;
            try {
                if (piece.marked) scan.mark(piece.before);
                piece.more = scan.nextLines(piece.lines, &piece.lineNumbers);
            } catch (...) {
                piece.failure = std::current_exception();
                piece.more = false;
            }
            piece.last = !piece.more || !scan.canGoBack();
            lock.lock();
            ++waiting_;
            ++next->scanned;
            next->done = piece.last;
        }
        scanning_ = nullptr;
        if (waiting_ >= kWakeAfter || idleWanted_) wakeTaker();
    }
}

void ScanAhead::waitForTaker(std::unique_lock<std::mutex>& lock) {
    // A thread left waiting for more files to open would wait for ever.
    if (!halted_) wakeWorker();
    takerWaits_ = true;
    takerWakes_.wait(lock);
    takerWaits_ = false;
}

void ScanAhead::waitIdle(std::unique_lock<std::mutex>& lock, const Job* job) {
    idleWanted_ = true;
    while (scanning_ && (!job || scanning_ == job))
        waitForTaker(lock);
    idleWanted_ = false;
}

// Each thread is woken once per wait: it says again that it waits when it does.
void ScanAhead::wakeWorker() {
    if (!workerWaits_) return;
    workerWaits_ = false;
    workerWakes_.notify_one();
}

void ScanAhead::wakeTaker() {
    if (!takerWaits_) return;
    takerWaits_ = false;
    takerWakes_.notify_one();
}

bool ScanAhead::hasRoom() {
    std::lock_guard lock(mutex_);
    return onSecondThread_ && filesAhead_ && jobCount_ < jobs_.size();
}

void ScanAhead::add(const std::string& path, const ScanRules& rules) {
    if (!thread_ && onSecondThread_) thread_ = std::make_unique<std::thread>([this] { work(); });
    Job* j = job(jobCount_++);
    j->path = path;
    j->rules = rules;
    j->preparedAt = passes_;
}

void ScanAhead::prepare(const std::string& path, const ScanRules& rules) {
    std::lock_guard lock(mutex_);
    if (jobCount_ == jobs_.size()) return;
    add(path, rules);
    // A file or two to open is not worth waking the thread for: it is woken when there are
    // several, or when the run waits for it.
    std::size_t toScan = 0;
    for (std::size_t i = 0; i < jobCount_; ++i)
        toScan += job(i)->done ? 0 : 1;
    if (toScan >= kFilesAhead / 2 && !workerFull_) wakeWorker();
}

void ScanAhead::release(std::unique_lock<std::mutex>& lock, Job* j) {
    j->done = true;
    waitIdle(lock, j);
    // Its pieces come first: the files before it were released before it.
    while (waiting_ > 0 && pieces_[first_].job == j) {
        first_ = (first_ + 1) % kAhead;
        --waiting_;
    }
    j->reset();
    firstJob_ = (firstJob_ + 1) % jobs_.size();
    --jobCount_;
    if (workerFull_) wakeWorker();
}

ScanAhead::Job* ScanAhead::claim(const std::string& path, const ScanRules& rules) {
    std::unique_lock lock(mutex_);
    // Files prepared for rows that changed, or under other rules, are not read.
    while (jobCount_ > 0 && !(job(0)->path == path && job(0)->rules == rules))
        release(lock, job(0));
    Job* j = job(0);
    // Small files are opened and scanned on the run's thread while they come one after another:
    // handing each to the other thread would cost more than it saves.
    if (jobCount_ == 0) {
        add(path, rules);
        j = job(0);
        if (!onSecondThread_ || !filesAhead_) {
            j->open();
            j->opened = j->openedHere = j->done = true;
        }
    }
    while (!j->opened)
        waitForTaker(lock);
    // A file changed at a pass since it was opened is opened again: the run reads it now.
    if (j->scan && j->preparedAt != passes_ && j->scan->stampNow() != j->scan->stamp()) {
        release(lock, j);
        add(path, rules);
        j = job(0);
        while (!j->opened)
            waitForTaker(lock);
    }
    if (const std::exception_ptr failure = j->openFailure) {
        release(lock, j);
        lock.unlock();
        std::rethrow_exception(failure);
    }
    return j;
}

bool ScanAhead::take(DigitLines& lines, std::vector<std::size_t>& lineNumbers, bool& last) {
    std::unique_lock lock(mutex_);
    while (waiting_ == 0)
        waitForTaker(lock);
    Piece& piece = pieces_[first_];
    std::swap(lines, piece.lines);
    std::swap(lineNumbers, piece.lineNumbers);
    const std::exception_ptr failure = std::exchange(piece.failure, nullptr);
    const bool more = piece.more;
    last = piece.last;
    first_ = (first_ + 1) % kAhead;
    --waiting_;
    if (workerFull_ && waiting_ + kWakeAfter <= kAhead) {
        workerFull_ = false;
        wakeWorker();
    }
    lock.unlock();
    if (failure) std::rethrow_exception(failure);
    return more;
}

void ScanAhead::runAhead(Job* j) {
    std::lock_guard lock(mutex_);
    j->openedHere = j->done = false;
    j->scanned = 1;
    filesAhead_ = true;
    wakeWorker();
}

void ScanAhead::goBack(Job* j, const ScanRules& rules) {
    std::unique_lock lock(mutex_);
    halted_ = true;
    waitIdle(lock, nullptr);
    if (waiting_ > 0 && pieces_[first_].job == j && pieces_[first_].marked) {
        Piece& front = pieces_[first_];
        try {
            j->scan->goBack(front.before);
            j->done = false;
            waiting_ = 0;
        } catch (...) {
            // The file cannot be read again from there: the next piece taken says so.
            front.failure = std::current_exception();
            front.more = false;
            front.last = j->done = true;
            waiting_ = 1;
        }
        // The files after it would come before its pieces scanned again: they are opened anew.
        while (jobCount_ > 0 && job(jobCount_ - 1) != j)
            job(--jobCount_)->reset();
    }
    j->scan->setRules(rules);
    halted_ = false;
    wakeWorker();
}

ScanAhead::File::File(ScanAhead& ahead, const std::string& path, const ScanRules& rules)
    : ahead_(ahead),
      job_(ahead.claim(path, rules)),
      rules_(rules),
      seen_(job_->scan->stamp()),
      scansHere_(job_->openedHere) {}

ScanAhead::File::~File() {
    std::unique_lock lock(ahead_.mutex_);
    ahead_.release(lock, job_);
}

const FileStamp& ScanAhead::File::stamp() const {
    return job_->scan->stamp();
}

bool ScanAhead::File::next(DigitLines& lines, std::vector<std::size_t>& lineNumbers) {
    ++taken_;
    if (scansHere_) {
        const bool more = job_->scan->nextLines(lines, &lineNumbers);
        // A big file is scanned ahead from its second piece on, and the files after it too.
        if (more && job_->openedHere && ahead_.onSecondThread_ && job_->scan->canGoBack()) {
            ahead_.runAhead(job_);
            scansHere_ = false;
        }
        return more;
    }
    bool last = false;
    const bool more = ahead_.take(lines, lineNumbers, last);
    scansHere_ = last && more;
    if (!more && taken_ == 1) ahead_.filesAhead_ = false;  // a small file
    return more;
}

void ScanAhead::File::afterPass(const ScanRules& rules) {
    if (scansHere_) {
        job_->scan->setRules(rules);
        return;
    }
    const FileStamp now = job_->scan->stampNow();
    if (rules == rules_ && now == seen_) return;
    rules_ = rules;
    seen_ = now;
    ahead_.goBack(job_, rules);
}

}  // namespace tessaly
