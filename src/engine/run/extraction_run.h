#pragma once
// The extraction run ("Start Extracting Phone Numbers"): every input row in order, every file
// streamed through the scanner, every number whose digit count is a ticked length appended to
// the result list with the file and line it was found in. It talks to the window only through
// RunHost, so it runs and is tested without one. The user may stop it; it then ends at its
// next pass of the event loop, keeping what it found.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extraction_options.h"
#include "found_numbers.h"
#include "platform/error_box.h"
#include "written_number_stream.h"
#include "yield_pacer.h"

namespace tessaly {

inline constexpr std::string_view kNoFilesNotice = "No files added.";
inline constexpr std::string_view kDoneNotice = "Done.";
inline constexpr std::string_view kStoppedNotice = "Stopped.";

class DocumentReader;

// The notice naming the files a run skipped because they are not text nor documents it reads
// (at most kSkippedNamed of them by name).
inline constexpr std::size_t kSkippedNamed = 20;
std::string SkippedFilesNotice(const std::vector<std::string>& paths);

// What the run needs from the window. Rows are numbered from 1.
class RunHost {
  public:
    virtual ~RunHost() = default;
    virtual std::size_t inputRowCount() = 0;
    // The path in input row `row`, or nothing when that row no longer exists.
    virtual std::optional<std::string> inputRowPath(std::size_t row) = 0;
    virtual ExtractionOptions options() = 0;
    // What reads the files that are documents; none reads every file as text.
    virtual const DocumentReader* documentReader() { return nullptr; }
    virtual void appendResults(const FoundNumbers& found) = 0;
    // With the number options (ExtractionOptions::numbersActive), the numbers of each piece
    // read, with their text and context, before the run takes them: the host replaces them by
    // the numbers to keep (its digit counts applied), as the options it gave say.
    virtual void judgeNumbers(std::vector<WrittenNumber>& numbers) { (void)numbers; }
    // Removes the last `count` rows appended, those of a file whose read failed part-way, as
    // far as the list still holds them: rows the user removed or cleared meanwhile stay gone,
    // and a list changed since the last append is left as it is.
    virtual void takeBackResults(std::size_t count) = 0;
    // How far the run is: file `file` of `files` is being read. endProgress: the run is over.
    virtual void showProgress(std::size_t file, std::size_t files) = 0;
    virtual void endProgress() = 0;
    virtual void setBusyPointer() = 0;
    virtual void setDefaultPointer() = 0;
    // A notice box: the text, only an OK button, no icon, the application title.
    virtual void showNotice(const std::string& text) = 0;
    // One pass of the event loop. False when the window is closing: the run stops where it
    // stands, without a further message.
    virtual bool yieldToEventLoop() = 0;
};

class ExtractionRun {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton7_Click";
    enum Step : int {
        kCountRows = 104,
        kReadOptions = 106,
        // the file's number and the count shown, before each file
        kShowProgress = 108,
        kBusyBeforeRow = 110,
        kRowPath = 112,
        kBusyBeforeFile = 114,
        // opening the file and every piece read from it
        kReadFile = 116,
        kBusyAfterOpen = 118,
        // reading the options afresh and setting the busy pointer again, after a pass of the event
        // loop
        kAfterYield = 130,
        kAppendResults = 140,
        kDefaultPointer = 150,
        // "Done.", or "Stopped." for a run the user stopped
        kTellDone = 152,
        kTellNoFiles = 154,
    };

    // Whether the run opens and scans its files on a second thread, ahead of taking their
    // numbers, unless told otherwise: where there is a second processor to do it.
    static bool ScansAheadByDefault();

    ExtractionRun(RunHost& host, ErrorBox& errors, Pacing pacing = {},
                  bool scansAhead = ScansAheadByDefault());

    // The button's handler. A click while a run is yielding is ignored.
    void start();
    bool IsExtracting() const { return isExtracting_; }
    // Asks the run going on to stop at its next pass of the event loop; nothing without one.
    void stop() { stopAsked_ = isExtracting_; }

  private:
    class Pass;

    RunHost& host_;
    ErrorBox& errors_;
    Pacing pacing_;
    bool scansAhead_;
    bool isExtracting_ = false;
    bool stopAsked_ = false;
};

}  // namespace tessaly
