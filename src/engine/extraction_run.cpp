#include "extraction_run.h"

#include <stdexcept>

#include "error_report.h"
#include "file_number_scan.h"

namespace tessaly {

// One run of the button: its trap, its pacing, the options last read and the results found
// since the last pass of the event loop.
class ExtractionRun::Pass {
  public:
    Pass(ExtractionRun& run)
        : host_(run.host_), trap_(run.errors_, kProcedure), pacer_(run.pacing_) {}

    void run();

  private:
    // False when the window is closing.
    bool yieldIfDue(FileNumberScan* scan);
    void flush();
    bool scanFile(const std::string& path);

    // The rules the scanner is given: the run judges each number's length itself as it takes
    // it, because a box ticked meanwhile applies from that number on, so the scanner hands over
    // every length.
    ScanRules ScannerRules() const {
        ScanRules rules = rules_;
        rules.lengths = kEveryLength;
        return rules;
    }

    RunHost& host_;
    Trap trap_;
    YieldPacer pacer_;
    ScanRules rules_;  // from the options last read
    std::vector<PhoneNumber> pending_;
    std::vector<PhoneNumber> batch_;
    // The file being read: where its numbers start in pending_, and how many of its numbers
    // are already in the list.
    std::size_t filePending_ = 0;
    std::size_t fileAppended_ = 0;
};

void ExtractionRun::Pass::flush() {
    if (pending_.empty()) return;
    if (trap_.step(kAppendResults, [&] { host_.appendResults(pending_); })) {
        fileAppended_ += pending_.size() - filePending_;
    }
    pending_.clear();
    filePending_ = 0;
}

bool ExtractionRun::Pass::yieldIfDue(FileNumberScan* scan) {
    if (!pacer_.due()) return true;
    flush();
    if (!host_.yieldToEventLoop()) return false;
    pacer_.restart();
    // Anything may have changed meanwhile: the options, and the pointer.
    trap_.step(kAfterYield, [&] { rules_ = host_.options().scanRules(); });
    if (scan) scan->setRules(ScannerRules());
    trap_.step(kAfterYield, [&] { host_.setBusyPointer(); });
    return true;
}

// Returns false when the window is closing.
bool ExtractionRun::Pass::scanFile(const std::string& path) {
    std::optional<FileNumberScan> scan;
    if (!trap_.step(kReadFile, [&] { scan.emplace(path, ScannerRules()); })) return true;
    trap_.step(kBusyAfterOpen, [&] { host_.setBusyPointer(); });
    filePending_ = pending_.size();
    fileAppended_ = 0;
    for (bool more = true; more;) {
        batch_.clear();
        // A read that fails part-way is reported like one that fails at once, and the file
        // gives no results: half a file's numbers would pass for all of them.
        if (!trap_.step(kReadFile, [&] { more = scan->next(batch_); })) {
            pending_.resize(filePending_);
            if (fileAppended_ > 0) {
                trap_.step(kReadFile, [&] { host_.takeBackResults(fileAppended_); });
            }
            return true;
        }
        for (const PhoneNumber& number : batch_) {
            if (!yieldIfDue(&*scan)) return false;
            if (rules_.acceptsDigitCount(number.size())) pending_.push_back(number);
        }
        if (more && !yieldIfDue(&*scan)) return false;
    }
    return true;
}

void ExtractionRun::Pass::run() {
    std::size_t rows = 0;
    trap_.step(kCountRows, [&] { rows = host_.inputRowCount(); });
    if (rows == 0) {
        trap_.step(kTellNoFiles, [&] { host_.showNotice(std::string(kNoFilesNotice)); });
        return;
    }
    trap_.step(kReadOptions, [&] { rules_ = host_.options().scanRules(); });
    for (std::size_t row = 1; row <= rows; ++row) {
        if (!yieldIfDue(nullptr)) return;
        trap_.step(kBusyBeforeRow, [&] { host_.setBusyPointer(); });
        std::optional<std::string> path;
        const bool present = trap_.step(kRowPath, [&] {
            path = host_.inputRowPath(row);
            if (!path) {
                throw std::runtime_error("Row " + std::to_string(row) +
                                         " of the input list no longer exists");
            }
        });
        // Rows vanish only from the end of a shrinking list: the rest are gone too.
        if (!present) break;
        trap_.step(kBusyBeforeFile, [&] { host_.setBusyPointer(); });
        if (!scanFile(*path)) return;
    }
    flush();
    trap_.step(kDefaultPointer, [&] { host_.setDefaultPointer(); });
    trap_.step(kTellDone, [&] { host_.showNotice(std::string(kDoneNotice)); });
}

ExtractionRun::ExtractionRun(RunHost& host, ErrorBox& errors, Pacing pacing)
    : host_(host), errors_(errors), pacing_(std::move(pacing)) {}

void ExtractionRun::start() {
    if (isExtracting_) return;
    isExtracting_ = true;
    Pass(*this).run();
    isExtracting_ = false;
}

}  // namespace tessaly
