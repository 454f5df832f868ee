#pragma once
// WindowRunHost: what the extraction run needs from the main window: the input rows, the live
// options, the result list, the window pointer, the notices and the event loop. Once the window
// is closing, every pass of the event loop answers false and no notice is shown. How far the run
// is goes to the window's caption at each pass of the event loop, not at every file, so a run
// over many small files is not slowed by captions nobody could read.

#include <functional>
#include <memory>

#include "documents.h"
#include "extraction_run.h"
#include "input_list.h"
#include "number_stage.h"
#include "options_model.h"
#include "platform/event_loop.h"
#include "platform/message_boxes.h"
#include "platform/window_pointer.h"
#include "result_list.h"

namespace tessaly {

// The notice a run ends with, told how many numbers it found: "Done." and "Stopped." stay
// first, followed by the count ("Done. 2,549,627 numbers found."); any other notice is as is.
std::string RunEndNotice(const std::string& notice, std::size_t found);

class WindowRunHost : public RunHost {
  public:
    struct Parts {
        InputList& inputs;
        ResultList& results;
        OptionsModel& options;
        WindowPointer& pointer;
        MessageBoxes& messageBoxes;
        EventLoop& eventLoop;
        std::function<bool()> closing;
        // Runs before a notice, so that the list shows every result when the user reads it.
        std::function<void()> beforeNotice;
        // Shows the run's progress ("12 of 40"), or none when empty.
        std::function<void(const std::string&)> showCaptionProgress;
    };

    explicit WindowRunHost(Parts parts) : p_(std::move(parts)) {}

    // A run begins: the numbers found are counted from none.
    void beginRun() { found_ = 0; }

    std::size_t inputRowCount() override { return p_.inputs.count(); }
    std::optional<std::string> inputRowPath(std::size_t row) override;
    ExtractionOptions options() override { return p_.options.options(); }
    // Documents are read as documents; files that are not text are skipped and named at the end.
    const DocumentReader* documentReader() override { return &documents_; }
    void appendResults(const FoundNumbers& found) override;
    void judgeNumbers(std::vector<WrittenNumber>& numbers) override;
    void takeBackResults(std::size_t count) override;
    void showProgress(std::size_t file, std::size_t files) override;
    void endProgress() override;
    void setBusyPointer() override { p_.pointer.setPointer(kBusyPointer); }
    void setDefaultPointer() override { p_.pointer.setPointer(kDefaultPointer); }
    void showNotice(const std::string& text) override;
    bool yieldToEventLoop() override;

  private:
    Parts p_;
    documents::Documents documents_;
    // Rows appended since the list last lost rows, and the list's generation then.
    std::size_t appendedSinceChange_ = 0;
    std::uint64_t generation_ = 0;
    // Numbers this run kept: appended, less those of files taken back.
    std::size_t found_ = 0;
    std::string progress_;  // shown at the next pass of the event loop
    std::string shownProgress_;
    // The number stage for the options it was made for; made again when they change.
    std::unique_ptr<numbers::NumberStage> stage_;
    numbers::NumberRules stageRules_;
};

// The number rules the window's options stand for.
numbers::NumberRules NumberRulesOf(const ExtractionOptions& options);

}  // namespace tessaly
