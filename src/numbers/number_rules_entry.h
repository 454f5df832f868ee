#pragma once
// The number rules as a module of their own (number-rules.so), with libphonenumber, protobuf
// and ICU linked to it alone: the extractor loads it only when a number option is given, so a
// run without one never loads those libraries. The module's one entry hands out this table; a
// stage it makes is used and dropped through it.

#include <string_view>
#include <vector>

#include "number_rules.h"
#include "written_number_stream.h"

namespace tessaly::numbers {

class NumberStage;

struct NumberRulesEntry {
    // The version of the program the module was built with; the program loads only its own.
    const char* version;
    // Whether the library knows `country` (ISO 3166 code, upper case) as a region.
    bool (*isKnownCountry)(std::string_view country);
    NumberStage* (*makeStage)(const NumberRules& rules);
    // NumberStage::judgeAll: the scan's numbers replaced by the numbers they stand for.
    void (*judgeAll)(NumberStage& stage, std::vector<WrittenNumber>& numbers);
    void (*dropStage)(NumberStage* stage);
};

inline constexpr const char* kNumberRulesModule = "number-rules.so";
inline constexpr const char* kNumberRulesEntry = "tessaly_number_rules_entry";

}  // namespace tessaly::numbers

extern "C" const tessaly::numbers::NumberRulesEntry* tessaly_number_rules_entry();
