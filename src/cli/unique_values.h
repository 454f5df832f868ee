#pragma once
// UniqueValues (--unique): a filter in front of any sink that lets each value through once, the
// first time it is found; the value compared is the one written (in --mask when given). When
// the sink behind keeps nothing of a file that failed part-way, the values that file let through
// are forgotten again, so a later file may give them.

#include <memory>
#include <optional>
#include <string>

#include "distinct_values.h"
#include "number_sink.h"

namespace tessaly::cli {

class UniqueValues : public NumberSink {
  public:
    UniqueValues(std::unique_ptr<NumberSink> next, std::optional<std::string> mask);

    void enterFile(const std::string& path) override;
    void take(const ScanBatch& batch) override;
    void take(const std::vector<WrittenNumber>& numbers) override;
    bool fileFailed() override;
    void finish() override { next_->finish(); }
    bool wroteNumber() const override { return next_->wroteNumber(); }

  private:
    bool firstTime(std::string_view value);

    std::unique_ptr<NumberSink> next_;
    std::optional<std::string> mask_;
    std::string masked_;
    DistinctValues seen_;
    std::size_t fileMark_ = 0;  // where the values let through for the current file begin
    ScanBatch keptBatch_;
    std::vector<WrittenNumber> keptWritten_;
};

}  // namespace tessaly::cli
