#pragma once
// The extraction run ("Start Extracting Phone Numbers"): every input row in order, every file
// streamed through the scanner, every number whose digit count is a ticked length appended to
// the result list with the file and line it was found in. It talks to the window only through
// RunHost, so it runs and is tested without one. The user may stop it; it then ends at its
// next pass of the event loop, keeping what it found.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "extraction_options.h"
#include "found_numbers.h"
#include "platform/error_box.h"
#include "yield_pacer.h"

namespace tessaly {

inline constexpr std::string_view kNoFilesNotice = "No files added.";
inline constexpr std::string_view kDoneNotice = "Done.";
inline constexpr std::string_view kStoppedNotice = "Stopped.";

// What the run needs from the window. Rows are numbered from 1.
class RunHost {
  public:
    virtual ~RunHost() = default;
    virtual std::size_t inputRowCount() = 0;
    // The path in input row `row`, or nothing when that row no longer exists.
    virtual std::optional<std::string> inputRowPath(std::size_t row) = 0;
    virtual ExtractionOptions options() = 0;
    virtual void appendResults(const FoundNumbers& found) = 0;
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
    ExtractionRun(RunHost& host, ErrorBox& errors, Pacing pacing = {});

    // The button's handler. A click while a run is yielding is ignored.
    void PushButton7_Click();
    bool IsExtracting() const { return isExtracting_; }
    // Asks the run going on to stop at its next pass of the event loop; nothing without one.
    void stop() { stopAsked_ = isExtracting_; }

  private:
    class Pass;

    RunHost& host_;
    ErrorBox& errors_;
    Pacing pacing_;
    bool isExtracting_ = false;
    bool stopAsked_ = false;
};

}  // namespace tessaly
