#include "unique_values.h"

#include "masked_value.h"

namespace tessaly::cli {

UniqueValues::UniqueValues(std::unique_ptr<NumberSink> next, std::optional<std::string> mask)
    : next_(std::move(next)), mask_(std::move(mask)) {}

bool UniqueValues::firstTime(std::string_view value) {
    return seen_.add(MaskedValue(value, mask_, masked_));
}

void UniqueValues::enterFile(const std::string& path) {
    fileMark_ = seen_.mark();
    next_->enterFile(path);
}

void UniqueValues::take(const ScanBatch& batch) {
    const bool withLines = !batch.lines.empty();
    const bool withTexts = !batch.texts.ends.empty();
    ScanBatch& kept = keptBatch_;
    kept.numbers.clear();
    kept.lines.clear();
    kept.texts.clear();
    kept.places.clear();
    const auto& runs = batch.places.runs;
    for (std::size_t i = 0, run = 0; i < batch.numbers.size(); ++i) {
        if (!firstTime(batch.numbers[i].view())) continue;
        while (run + 1 < runs.size() && runs[run + 1].first <= i)
            ++run;
        if (run < runs.size()) kept.places.enter(kept.numbers.size(), runs[run].where);
        kept.numbers.push_back(batch.numbers[i]);
        if (withLines) kept.lines.push_back(batch.lines[i]);
        if (withTexts) {
            kept.texts.bytes += batch.texts.at(i);
            kept.texts.ends.push_back(kept.texts.bytes.size());
        }
    }
    if (!kept.numbers.empty()) next_->take(kept);
}

void UniqueValues::take(const std::vector<WrittenNumber>& numbers) {
    keptWritten_.clear();
    for (const WrittenNumber& n : numbers) {
        if (firstTime(n.value)) keptWritten_.push_back(n);
    }
    if (!keptWritten_.empty()) next_->take(keptWritten_);
}

bool UniqueValues::fileFailed() {
    const bool stayWritten = next_->fileFailed();
    // Values already written stay seen, or they would be written twice.
    if (!stayWritten) seen_.forgetSince(fileMark_);
    return stayWritten;
}

}  // namespace tessaly::cli
