#include "window_run_host.h"

#include <algorithm>

namespace tessaly {

namespace {

// Digits grouped by threes with commas, as the count reads in the notice.
std::string GroupedCount(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

}  // namespace

std::string RunEndNotice(const std::string& notice, std::size_t found) {
    if (notice != kDoneNotice && notice != kStoppedNotice) return notice;
    if (found == 0) return notice + " No numbers found.";
    return notice + " " + GroupedCount(found) + (found == 1 ? " number found." : " numbers found.");
}

std::optional<std::string> WindowRunHost::inputRowPath(std::size_t row) {
    if (row < 1 || row > p_.inputs.count()) return std::nullopt;
    return p_.inputs.at(row);
}

void WindowRunHost::appendResults(const FoundNumbers& found) {
    if (p_.results.generation() != generation_) {
        generation_ = p_.results.generation();
        appendedSinceChange_ = 0;
    }
    p_.results.append(found);
    appendedSinceChange_ += found.numbers.size();
    found_ += found.numbers.size();
}

// Only the run appends results, so the rows appended since the list last changed are its
// last rows.
numbers::NumberRules NumberRulesOf(const ExtractionOptions& options) {
    numbers::NumberRules rules;
    rules.country = options.numberCountry;
    rules.validOnly = options.validNumbersOnly && !rules.country.empty();
    rules.e164 = options.numbersAsE164 && !rules.country.empty();
    rules.splitBlanks = options.splitAtBlanks;
    rules.lengths = options.scanRules().lengths;
    return rules;
}

void WindowRunHost::judgeNumbers(std::vector<WrittenNumber>& numbers) {
    const numbers::NumberRules rules = NumberRulesOf(p_.options.options());
    if (!stage_ || !(rules == stageRules_)) {
        stage_ = std::make_unique<numbers::NumberStage>(rules);
        stageRules_ = rules;
    }
    stage_->judgeAll(numbers);
}

void WindowRunHost::takeBackResults(std::size_t count) {
    found_ -= std::min(count, found_);
    if (p_.results.generation() != generation_) return;
    const std::size_t gone = std::min(count, appendedSinceChange_);
    p_.results.removeLast(gone);
    appendedSinceChange_ -= gone;
    generation_ = p_.results.generation();
}

void WindowRunHost::showProgress(std::size_t file, std::size_t files) {
    progress_ = std::to_string(file) + " of " + std::to_string(files);
}

void WindowRunHost::endProgress() {
    progress_.clear();
    shownProgress_.clear();
    if (p_.showCaptionProgress) p_.showCaptionProgress({});
}

void WindowRunHost::showNotice(const std::string& text) {
    if (p_.closing()) return;
    if (p_.beforeNotice) p_.beforeNotice();
    p_.messageBoxes.showNotice(RunEndNotice(text, found_));
}

bool WindowRunHost::yieldToEventLoop() {
    if (p_.closing()) return false;
    if (progress_ != shownProgress_ && p_.showCaptionProgress) {
        shownProgress_ = progress_;
        p_.showCaptionProgress(progress_);
    }
    return p_.eventLoop.yield() && !p_.closing();
}

}  // namespace tessaly
