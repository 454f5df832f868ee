#include "number_rules_entry.h"
#include "number_stage.h"

namespace tessaly::numbers {
namespace {

NumberStage* MakeStage(const NumberRules& rules) {
    return new NumberStage(rules);
}

void JudgeAll(NumberStage& stage, std::vector<WrittenNumber>& numbers) {
    stage.judgeAll(numbers);
}

void DropStage(NumberStage* stage) {
    delete stage;
}

constexpr NumberRulesEntry kEntry{TESSALY_VERSION, IsKnownCountry, MakeStage, JudgeAll, DropStage};

}  // namespace
}  // namespace tessaly::numbers

const tessaly::numbers::NumberRulesEntry* tessaly_number_rules_entry() {
    return &tessaly::numbers::kEntry;
}
