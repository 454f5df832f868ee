#pragma once
// A window for the extraction run: input rows, options, the numbers found, the notices, the
// pointer and the progress, with its passes of the event loop made through a given loop (so they
// can be timed or scripted). The numbers go to a sink when one is given, otherwise they are kept
// as text.

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "extraction_run.h"
#include "platform/event_loop.h"

namespace tessaly::testing {

class RecordingRunHost : public RunHost {
  public:
    explicit RecordingRunHost(EventLoop& loop) : loop_(loop) {}

    std::size_t inputRowCount() override { return rows.size(); }
    std::optional<std::string> inputRowPath(std::size_t row) override {
        if (row < 1 || row > rows.size()) return std::nullopt;
        return rows[row - 1];
    }
    ExtractionOptions options() override { return opts; }
    const DocumentReader* documentReader() override { return documents; }
    void appendResults(const FoundNumbers& found) override {
        if (sink) {
            sink(found);
            return;
        }
        for (const PhoneNumber& n : found.numbers)
            results.push_back(n.str());
    }
    void takeBackResults(std::size_t count) override {
        results.resize(results.size() - std::min(count, results.size()));
    }
    void showProgress(std::size_t file, std::size_t files) override {
        progress = std::to_string(file) + " of " + std::to_string(files);
    }
    void endProgress() override { progress.clear(); }
    void setBusyPointer() override { pointer = 11; }
    void setDefaultPointer() override { pointer = 0; }
    void showNotice(const std::string& text) override { notices.push_back(text); }
    bool yieldToEventLoop() override { return loop_.yield(); }

    // Lengths ticked, in digits.
    void tick(std::initializer_list<int> digits) {
        for (int d : digits)
            opts.lengthBoxes[static_cast<std::size_t>(d - 5)] = kTicked;
    }

    std::vector<std::string> rows;
    ExtractionOptions opts;
    const DocumentReader* documents = nullptr;
    std::vector<std::string> results;
    std::function<void(const FoundNumbers&)> sink;
    std::vector<std::string> notices;
    int pointer = 0;
    std::string progress;

  private:
    EventLoop& loop_;
};

}  // namespace tessaly::testing
