// The number stage on any text: the candidates and the context the written scan gives them do
// not depend on the pieces the text arrives in, and every number the stage keeps is a part of
// its candidate's text with an accepted digit count, written as digits or as "+" and digits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "number_stage.h"
#include "written_number_stream.h"

using namespace tessaly;

namespace {

std::vector<WrittenNumber> Scan(const std::u16string& text, const ScanRules& rules,
                                std::size_t piece) {
    WrittenNumberStream stream(rules);
    std::vector<WrittenNumber> out;
    for (std::size_t at = 0; at < text.size(); at += piece)
        stream.feed(std::u16string_view(text).substr(at, piece), out);
    stream.finish(out);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the options; the rest is the text, a byte a unit (Latin-1).
    const std::uint8_t choice = data[0];
    std::u16string text(data + 1, data + size);
    ScanRules rules;
    rules.writtenText = rules.numberContext = rules.longRuns = true;
    rules.keepPlus = choice & 1;
    numbers::NumberRules number;
    number.country = (choice & 2) ? "US" : "DE";
    number.validOnly = choice & 4;
    number.e164 = choice & 8;
    number.splitBlanks = true;
    number.describe = choice & 16;
    number.lengths = (choice & 32) ? kEveryLength : (1u << 10 | 1u << 11);

    const std::vector<WrittenNumber> whole = Scan(text, rules, text.size() + 1);
    const std::vector<WrittenNumber> bytes = Scan(text, rules, 1 + choice % 7);
    if (whole.size() != bytes.size()) std::abort();
    numbers::NumberStage stage(number);
    std::vector<numbers::StagedNumber> staged;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const WrittenNumber& a = whole[i];
        const WrittenNumber& b = bytes[i];
        if (a.value != b.value || a.text != b.text || a.before != b.before || a.after != b.after)
            std::abort();
        if (a.before.size() > kContextUnits || a.after.size() > kContextUnits) std::abort();
        staged.clear();
        stage.judge({a.value, a.text, a.before, a.after}, staged);
        for (const numbers::StagedNumber& s : staged) {
            if (a.text.find(s.text) == std::u16string::npos) std::abort();
            std::size_t digits = 0;
            for (std::size_t k = 0; k < s.value.size(); ++k) {
                const char c = s.value[k];
                if (c == '+' && k == 0) continue;
                if (c < '0' || c > '9') std::abort();
                ++digits;
            }
            if (!number.e164 && !number.accepts(digits)) std::abort();
        }
    }
    return 0;
}
