#include "number_stage_pool.h"

namespace tessaly::cli {

NumberStagePool::NumberStagePool(const numbers::NumberRulesEntry& module,
                                 const numbers::NumberRules& rules)
    : module_(module), rules_(rules) {
    // The first stage is made here, on the calling thread, before any worker asks for one.
    idle_.push_back(make());
}

NumberStagePool::Stage NumberStagePool::make() const {
    return Stage(module_.makeStage(rules_), Drop{module_.dropStage});
}

NumberStagePool::Stage NumberStagePool::take() {
    {
        const std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            Stage stage = std::move(idle_.back());
            idle_.pop_back();
            return stage;
        }
    }
    return make();
}

void NumberStagePool::give(Stage stage) {
    const std::lock_guard lock(mutex_);
    idle_.push_back(std::move(stage));
}

void NumberStagePool::refine(std::vector<WrittenNumber>& numbers) {
    Stage stage = take();
    module_.judgeAll(*stage, numbers);
    give(std::move(stage));
}

}  // namespace tessaly::cli
