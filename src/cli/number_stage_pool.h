#pragma once
// NumberStagePool: the number stage for the scan's workers. Each piece of numbers is judged on
// the thread that scanned it by a stage taken from the pool for that piece, so the work is
// spread over --jobs, and no stage (nor its cache) is used by two threads at once. The stages
// are the number-rules module's (number_rules_entry.h).

#include <memory>
#include <mutex>
#include <vector>

#include "number_rules_entry.h"

namespace tessaly::cli {

class NumberStagePool {
  public:
    NumberStagePool(const numbers::NumberRulesEntry& module, const numbers::NumberRules& rules);

    // Replaces `numbers` (candidates with their context) by the numbers they stand for.
    void refine(std::vector<WrittenNumber>& numbers);

  private:
    struct Drop {
        void (*drop)(numbers::NumberStage*);
        void operator()(numbers::NumberStage* stage) const { drop(stage); }
    };
    using Stage = std::unique_ptr<numbers::NumberStage, Drop>;
    Stage make() const;
    Stage take();
    void give(Stage stage);

    const numbers::NumberRulesEntry& module_;
    numbers::NumberRules rules_;
    std::mutex mutex_;
    std::vector<Stage> idle_;
};

}  // namespace tessaly::cli
