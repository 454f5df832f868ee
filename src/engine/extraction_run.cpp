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
        : host_(run.host_), trap_(run.errors_, procedure::kExtract), pacer_(run.pacing_) {}

    void run();

  private:
    // False when the window is closing.
    bool yieldIfDue(FileNumberScan* scan);
    void flush();
    bool scanFile(const std::string& path);

    RunHost& host_;
    Trap trap_;
    YieldPacer pacer_;
    ExtractionOptions options_;
    std::vector<PhoneNumber> pending_;
    std::vector<PhoneNumber> batch_;
    // The file being read: where its numbers start in pending_, and how many of its numbers
    // are already in the list.
    std::size_t filePending_ = 0;
    std::size_t fileAppended_ = 0;
};

void ExtractionRun::Pass::flush() {
    if (pending_.empty()) return;
    if (trap_.step(140, [&] { host_.appendResults(pending_); })) {
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
    trap_.step(130, [&] { options_ = host_.options(); });
    if (scan) scan->setRequiredText(options_.requiredTextOption());
    trap_.step(130, [&] { host_.setBusyPointer(); });
    return true;
}

// Returns false when the window is closing.
bool ExtractionRun::Pass::scanFile(const std::string& path) {
    std::optional<FileNumberScan> scan;
    if (!trap_.step(116, [&] { scan.emplace(path, options_.requiredTextOption()); })) return true;
    trap_.step(118, [&] { host_.setBusyPointer(); });
    filePending_ = pending_.size();
    fileAppended_ = 0;
    for (bool more = true; more;) {
        batch_.clear();
        // A read that fails part-way is reported like one that fails at once, and the file
        // gives no results: half a file's numbers would pass for all of them.
        if (!trap_.step(116, [&] { more = scan->next(batch_); })) {
            pending_.resize(filePending_);
            if (fileAppended_ > 0) trap_.step(116, [&] { host_.takeBackResults(fileAppended_); });
            return true;
        }
        for (const PhoneNumber& number : batch_) {
            if (!yieldIfDue(&*scan)) return false;
            if (options_.acceptsDigitCount(number.size())) pending_.push_back(number);
        }
        if (more && !yieldIfDue(&*scan)) return false;
    }
    return true;
}

void ExtractionRun::Pass::run() {
    std::size_t rows = 0;
    trap_.step(104, [&] { rows = host_.inputRowCount(); });
    if (rows == 0) {
        trap_.step(154, [&] { host_.showNotice(std::string(kNoFilesNotice)); });
        return;
    }
    trap_.step(106, [&] { options_ = host_.options(); });
    for (std::size_t row = 1; row <= rows; ++row) {
        if (!yieldIfDue(nullptr)) return;
        trap_.step(110, [&] { host_.setBusyPointer(); });
        std::optional<std::string> path;
        const bool present = trap_.step(112, [&] {
            path = host_.inputRowPath(row);
            if (!path) {
                throw std::runtime_error("Row " + std::to_string(row) +
                                         " of the input list no longer exists");
            }
        });
        // Rows vanish only from the end of a shrinking list: the rest are gone too.
        if (!present) break;
        trap_.step(114, [&] { host_.setBusyPointer(); });
        if (!scanFile(*path)) return;
    }
    flush();
    trap_.step(150, [&] { host_.setDefaultPointer(); });
    trap_.step(152, [&] { host_.showNotice(std::string(kDoneNotice)); });
}

ExtractionRun::ExtractionRun(RunHost& host, ErrorBox& errors, Pacing pacing)
    : host_(host), errors_(errors), pacing_(std::move(pacing)) {}

void ExtractionRun::PushButton7_Click() {
    if (isExtracting_) return;
    isExtracting_ = true;
    Pass(*this).run();
    isExtracting_ = false;
}

}  // namespace tessaly
