#include "number_stage_pool.h"

namespace tessaly::cli {

NumberStagePool::NumberStagePool(const numbers::NumberRules& rules) : rules_(rules) {
    // The first stage is made here, on the calling thread, before any worker asks for one.
    idle_.push_back(std::make_unique<numbers::NumberStage>(rules_));
}

std::unique_ptr<numbers::NumberStage> NumberStagePool::take() {
    {
        const std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<numbers::NumberStage> stage = std::move(idle_.back());
            idle_.pop_back();
            return stage;
        }
    }
    return std::make_unique<numbers::NumberStage>(rules_);
}

void NumberStagePool::give(std::unique_ptr<numbers::NumberStage> stage) {
    const std::lock_guard lock(mutex_);
    idle_.push_back(std::move(stage));
}

void NumberStagePool::refine(std::vector<WrittenNumber>& numbers) {
    std::unique_ptr<numbers::NumberStage> stage = take();
    stage->judgeAll(numbers);
    give(std::move(stage));
}

}  // namespace tessaly::cli
