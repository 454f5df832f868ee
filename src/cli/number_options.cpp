#include "number_options.h"

#include "command_line.h"
#include "layer_modules.h"

namespace tessaly::cli {

bool IsNumberFlag(std::string_view name) {
    return name == "--valid" || name == "--e164" || name == "--split-blanks";
}

bool IsNumberValueOption(std::string_view name) {
    return name == "--country";
}

std::string SetNumberOption(std::string_view name, std::string_view value, ExtractArguments& a,
                            LayerModules& modules) {
    numbers::NumberRules& rules = a.numbers;
    if (name == "--valid") {
        rules.validOnly = true;
    } else if (name == "--e164") {
        rules.e164 = true;
    } else if (name == "--split-blanks") {
        rules.splitBlanks = true;
    } else if (name == "--country") {
        std::string code(value);
        for (char& c : code) {
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        }
        try {
            if (!modules.numberRules().isKnownCountry(code)) {
                return "--country: \"" + std::string(value) +
                       "\" is not a country code the number rules know (ISO 3166, like US or DE)";
            }
        } catch (const LayerUnavailable&) {
            // Said once the options are read: the run cannot start without the rules.
        }
        rules.country = code;
    }
    return {};
}

std::string FinishNumberOptions(ExtractArguments& a) {
    numbers::NumberRules& rules = a.numbers;
    if ((rules.validOnly || rules.e164) && rules.country.empty())
        return "--valid and --e164 read numbers for a country: give --country too";
    if (!rules.active()) return {};
    rules.describe = !rules.country.empty() && a.format == OutputFormat::kJsonl;
    rules.lengths = a.rules.lengths;
    // The stage reads each number's text and what stands around it; a run of numbers that
    // blanks separate reaches it whatever its digit count, and the stage applies the lengths.
    a.rules.writtenText = true;
    a.rules.numberContext = true;
    if (rules.splitBlanks) a.rules.longRuns = true;
    return {};
}

}  // namespace tessaly::cli
