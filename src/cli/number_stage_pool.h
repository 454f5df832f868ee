#pragma once
// NumberStagePool: the number stage for the scan's workers. Each piece of numbers is judged on
// the thread that scanned it by a stage taken from the pool for that piece, so the work is
// spread over --jobs, and no stage (nor its cache) is used by two threads at once.

#include <memory>
#include <mutex>
#include <vector>

#include "number_stage.h"
#include "written_number_stream.h"

namespace tessaly::cli {

class NumberStagePool {
  public:
    explicit NumberStagePool(const numbers::NumberRules& rules);

    // Replaces `numbers` (candidates with their context) by the numbers they stand for.
    void refine(std::vector<WrittenNumber>& numbers);

  private:
    std::unique_ptr<numbers::NumberStage> take();
    void give(std::unique_ptr<numbers::NumberStage> stage);

    numbers::NumberRules rules_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<numbers::NumberStage>> idle_;
};

}  // namespace tessaly::cli
