#include "extraction_run.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "digit_line_walk.h"
#include "document_text.h"
#include "error_report.h"
#include "file_number_scan.h"
#include "scan_ahead.h"
#include "written_file_scan.h"

namespace tessaly {

namespace {

// Numbers found that the run hands to the result list without waiting for its next pass of the
// event loop.
constexpr std::size_t kHandedOverAfter = 8192;

}  // namespace

// One run of the button: its trap, its pacing, the options last read and the results found
// since the last pass of the event loop.
class ExtractionRun::Pass {
  public:
    Pass(ExtractionRun& run)
        : run_(run),
          host_(run.host_),
          trap_(run.errors_, kProcedure),
          pacer_(run.pacing_),
          ahead_(run.scansAhead_) {}

    void run();

  private:
    // False when the run ends here: the window is closing or the user stopped it.
    bool yieldIfDue(ScanAhead::File* file) { return !pacer_.due() || yield(file); }
    bool yield(ScanAhead::File* file);
    // Takes numbers [from, to) of the piece, whose digits start at byte `at` of its digit lines;
    // returns the byte after them.
    std::size_t take(std::size_t at, std::size_t from, std::size_t to);
    void flush();
    bool scanFile(const std::string& path, std::size_t row);
    // Has the files of the rows from `row` on opened and scanned ahead, as far as there is room.
    void prepareFrom(std::size_t row);
    bool scanWritten(const std::string& path);
    // A read that failed part-way: the file gives no results.
    void dropFile();
    void finish(std::string_view notice);

    // The rules the scanner is given: the run judges each number's length itself as it takes
    // it, because a box ticked meanwhile applies from that number on, so the scanner hands over
    // every length. Every number comes with its line, which its result row keeps.
    ScanRules ScannerRules() const {
        ScanRules rules = rules_;
        rules.lengths = kEveryLength;
        rules.lineNumbers = true;
        rules.documents = documents_;
        return rules;
    }

    ExtractionRun& run_;
    RunHost& host_;
    Trap trap_;
    YieldPacer pacer_;
    ScanRules rules_;  // from the options last read
    const DocumentReader* documents_ = nullptr;
    std::vector<std::string> skipped_;  // files that are not text nor documents read
    FoundNumbers pending_;
    // The piece's numbers as digit lines, each with its line: the scan writes them straight
    // from the text, without a number object of its own for each.
    DigitLines batch_;
    std::vector<std::size_t> batchLines_;
    std::size_t rows_ = 0;  // counted when the run starts
    ScanAhead ahead_;
    std::size_t nextToPrepare_ = 1;  // the first row whose file was not prepared
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
    pending_.clearNumbers();
    filePending_ = 0;
}

bool ExtractionRun::Pass::yield(ScanAhead::File* file) {
    flush();
    if (!host_.yieldToEventLoop() || run_.stopAsked_) return false;
    ahead_.passed();
    pacer_.restart();
    // Anything may have changed meanwhile: the options, and the pointer.
    trap_.step(kAfterYield, [&] { rules_ = host_.options().scanRules(); });
    if (file) file->afterPass(ScannerRules());
    trap_.step(kAfterYield, [&] { host_.setBusyPointer(); });
    return true;
}

// Numbers [from, to) of the piece, those whose digit count the rules take, go to pending_: written
// in place rather than appended one by one, which would read the lists' ends back after every
// number, and every one written, a number refused then overwritten by the next, so that no
// branch depends on the lengths found.
std::size_t ExtractionRun::Pass::take(std::size_t at, std::size_t from, std::size_t to) {
    const std::size_t base = pending_.size();
    pending_.numbers.resize(base + (to - from));
    pending_.lines.resize(base + (to - from));
    const std::size_t* foundLines = batchLines_.data();
    PhoneNumber* numbers = pending_.numbers.data() + base;
    std::uint64_t* lines = pending_.lines.data() + base;
    const char* const room = batch_.view().data();
    DigitLineWalk walk(batch_.view(), at);
    std::size_t taken = 0;
    for (std::size_t i = from; i < to; ++i) {
        const std::string_view digits = walk.next();
        // A number is copied a whole number's room at once where the lines' room holds it.
        if (std::size_t(digits.data() - room) + kMaxDigits <= batch_.capacity()) {
            numbers[taken].assignFromBuffer(digits.data(), digits.size());
        } else {
            numbers[taken] = PhoneNumber(digits);
        }
        lines[taken] = foundLines[i];
        taken += rules_.acceptsDigitCount(digits.size()) ? 1 : 0;
    }
    pending_.truncate(base + taken);
    return walk.at();
}

void ExtractionRun::Pass::dropFile() {
    pending_.truncate(filePending_);
    if (fileAppended_ > 0) trap_.step(kReadFile, [&] { host_.takeBackResults(fileAppended_); });
}

// The file read as written, for the number options: the host judges each piece's numbers
// and the run takes what it keeps. Options changed during the file apply from the next file.
bool ExtractionRun::Pass::scanWritten(const std::string& path) {
    std::optional<WrittenFileScan> scan;
    if (!trap_.step(kReadFile, [&] { scan.emplace(path, ScannerRules()); })) return true;
    pending_.startFile({path, scan->stamp()});
    trap_.step(kBusyAfterOpen, [&] { host_.setBusyPointer(); });
    filePending_ = pending_.size();
    fileAppended_ = 0;
    std::vector<WrittenNumber> written;
    for (bool more = true; more;) {
        written.clear();
        if (!trap_.step(kReadFile, [&] {
                more = scan->next(written);
                host_.judgeNumbers(written);
            })) {
            dropFile();
            return true;
        }
        for (const WrittenNumber& n : written)
            pending_.add(PhoneNumber(n.value), n.line);
        if (!yieldIfDue(nullptr)) return false;
    }
    return true;
}

// A row's path is only looked at here: the run reads each row when it comes to it, and takes a
// file prepared ahead only when the row still names it.
void ExtractionRun::Pass::prepareFrom(std::size_t row) {
    nextToPrepare_ = std::max(nextToPrepare_, row);
    for (; nextToPrepare_ <= rows_ && ahead_.hasRoom(); ++nextToPrepare_) {
        std::optional<std::string> path;
        try {
            path = host_.inputRowPath(nextToPrepare_);
        } catch (...) {
            return;
        }
        // Standard input is read only when its row comes.
        if (!path || *path == "-") return;
        ahead_.prepare(*path, ScannerRules());
    }
}

// Returns false when the window is closing.
bool ExtractionRun::Pass::scanFile(const std::string& path, std::size_t row) {
    if (rules_.readsWritten()) return scanWritten(path);
    prepareFrom(row);
    std::optional<ScanAhead::File> file;
    if (!trap_.step(kReadFile, [&] {
            try {
                file.emplace(ahead_, path, ScannerRules());
            } catch (const FileSkipped&) {
                skipped_.push_back(path);
            }
        })) {
        return true;
    }
    if (!file) return true;
    pending_.startFile({path, file->stamp()});
    trap_.step(kBusyAfterOpen, [&] { host_.setBusyPointer(); });
    filePending_ = pending_.size();
    fileAppended_ = 0;
    for (bool more = true; more;) {
        batch_.clear();
        batchLines_.clear();
        // A read that fails part-way is reported like one that fails at once, and the file
        // gives no results: half a file's numbers would pass for all of them.
        if (!trap_.step(kReadFile, [&] { more = file->next(batch_, batchLines_); })) {
            dropFile();
            return true;
        }
        // A pass of the event loop may fall before any number; the numbers before it are taken
        // by the rules read last, those after it by the rules read then.
        const std::size_t count = batchLines_.size();
        for (std::size_t i = 0, pass = 0, at = 0; i < count; i = pass) {
            while (pass < count && !pacer_.due())
                ++pass;
            at = take(at, i, pass);
            if (pass == count) break;
            if (!yield(&*file)) return false;
            at = take(at, pass, pass + 1);
            ++pass;
        }
        // The list takes the numbers in small steps rather than all at the next pass, so that
        // the files scanned ahead are not held up waiting for room meanwhile.
        if (pending_.size() >= kHandedOverAfter) flush();
        if (more && !yieldIfDue(&*file)) return false;
    }
    return true;
}

void ExtractionRun::Pass::run() {
    trap_.step(kCountRows, [&] { rows_ = host_.inputRowCount(); });
    if (rows_ == 0) {
        trap_.step(kTellNoFiles, [&] { host_.showNotice(std::string(kNoFilesNotice)); });
        return;
    }
    trap_.step(kReadOptions, [&] {
        rules_ = host_.options().scanRules();
        documents_ = host_.documentReader();
    });
    for (std::size_t row = 1; row <= rows_; ++row) {
        trap_.step(kShowProgress, [&] { host_.showProgress(row, rows_); });
        if (!yieldIfDue(nullptr)) return finish(kStoppedNotice);
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
        if (!scanFile(*path, row)) return finish(kStoppedNotice);
    }
    finish(kDoneNotice);
}

// The run's end, on both ways it may end while the window stays open. A run stopped at a pass
// of the event loop has nothing pending: the pass handed over every number found before it.
void ExtractionRun::Pass::finish(std::string_view notice) {
    if (notice == kStoppedNotice && !run_.stopAsked_) return;  // the window is closing
    flush();
    trap_.step(kDefaultPointer, [&] {
        host_.setDefaultPointer();
        host_.endProgress();
    });
    trap_.step(kTellDone, [&] {
        if (!skipped_.empty()) host_.showNotice(SkippedFilesNotice(skipped_));
        host_.showNotice(std::string(notice));
    });
}

std::string SkippedFilesNotice(const std::vector<std::string>& paths) {
    std::string text =
        paths.size() == 1
            ? "This file is not a text file or a document Tessaly reads; it was skipped:\n"
            : "These files are not text files or documents Tessaly reads; they were skipped:\n";
    for (std::size_t i = 0; i < paths.size() && i < kSkippedNamed; ++i)
        text += "\n" + paths[i];
    if (paths.size() > kSkippedNamed)
        text += "\n... and " + std::to_string(paths.size() - kSkippedNamed) + " more";
    return text;
}

bool ExtractionRun::ScansAheadByDefault() {
    return std::thread::hardware_concurrency() > 1;
}

ExtractionRun::ExtractionRun(RunHost& host, ErrorBox& errors, Pacing pacing, bool scansAhead)
    : host_(host), errors_(errors), pacing_(std::move(pacing)), scansAhead_(scansAhead) {}

void ExtractionRun::start() {
    if (isExtracting_) return;
    isExtracting_ = true;
    stopAsked_ = false;
    Pass(*this).run();
    isExtracting_ = false;
    stopAsked_ = false;
}

}  // namespace tessaly
