#include "number_stage.h"

#include "blank_split.h"
#include "lookalike_shapes.h"
#include "written_units.h"

namespace tessaly::numbers {

namespace {

// A "+" written before the text, blanks aside, that the scan did not keep.
bool PlusBefore(std::u16string_view before) {
    while (!before.empty() && IsBlank(before.back()))
        before.remove_suffix(1);
    return !before.empty() && before.back() == u'+';
}

void AppendMember(std::string& json, const char* key, const std::string& value) {
    json += ",\"";
    json += key;
    json += "\":";
    if (value.empty()) {
        json += "null";
        return;
    }
    // Region codes, types, "+" and digits: nothing here needs escaping.
    json += '"';
    json += value;
    json += '"';
}

}  // namespace

NumberStage::NumberStage(const NumberRules& rules)
    : rules_(rules),
      judge_(rules.country, JudgeAsks{rules.validOnly, rules.describe, rules.describe}) {}

NumberStage::Reading NumberStage::read(const Candidate& candidate, std::u16string_view text,
                                       bool first, bool last) const {
    Reading r;
    r.plus = first && (candidate.value.starts_with('+') || PlusBefore(candidate.before));
    r.digits = DigitsOf(text);
    if (last) r.extension = ExtensionAfter(candidate.after);
    return r;
}

bool NumberStage::acceptable(const Candidate& candidate, std::u16string_view text, bool first,
                             bool last) {
    if (!rules_.accepts(DigitsOf(text).size())) return false;
    if (!rules_.validOnly) return true;
    const std::u16string_view before = first ? candidate.before : std::u16string_view(u" ");
    const std::u16string_view after = last ? candidate.after : std::u16string_view(u" ");
    if (JudgeShape(text, before, after) != LookAlike::kNone) return false;
    const Reading r = read(candidate, text, first, last);
    return judge_.judge(r.plus, r.digits).valid;
}

void NumberStage::keep(const Candidate& candidate, std::u16string_view text, bool first, bool last,
                       std::vector<StagedNumber>& out) {
    StagedNumber n;
    n.text = text;
    const bool whole = first && last;
    if (whole) {
        n.value = candidate.value;
    } else {
        if (first && candidate.value.starts_with('+')) n.value.push_back('+');
        n.value += DigitsOf(text);
    }
    if (rules_.readsNumbers()) {
        const Reading r = read(candidate, text, first, last);
        const Judgement& j = judge_.judge(r.plus, r.digits);
        if (rules_.e164 && j.parsed) n.value = j.e164;
        if (rules_.describe) {
            AppendMember(n.jsonMembers, "e164", j.e164);
            AppendMember(n.jsonMembers, "country", j.country == "ZZ" ? std::string() : j.country);
            AppendMember(n.jsonMembers, "type", j.type);
            AppendMember(n.jsonMembers, "extension", r.extension);
        }
    }
    out.push_back(std::move(n));
}

void NumberStage::judgeAll(std::vector<WrittenNumber>& numbers) {
    kept_.clear();
    for (const WrittenNumber& n : numbers) {
        staged_.clear();
        judge({n.value, n.text, n.before, n.after}, staged_);
        for (StagedNumber& s : staged_) {
            WrittenNumber& k = kept_.emplace_back();
            k.value = std::move(s.value);
            k.line = n.line;
            k.where = n.where;
            k.text = std::move(s.text);
            k.jsonMembers = std::move(s.jsonMembers);
        }
    }
    numbers.swap(kept_);
}

void NumberStage::judge(const Candidate& candidate, std::vector<StagedNumber>& out) {
    const std::u16string_view text = candidate.text;
    const std::size_t digits = candidate.value.size() - candidate.value.starts_with('+');
    if (rules_.accepts(digits) || !rules_.splitBlanks) {
        if (acceptable(candidate, text, true, true)) keep(candidate, text, true, true, out);
        return;
    }
    const auto parts = SplitAtBlanks(text, [&](TextPart part, bool first, bool last) {
        return acceptable(candidate, text.substr(part.from, part.to - part.from), first, last);
    });
    for (const TextPart& part : parts) {
        keep(candidate, text.substr(part.from, part.to - part.from), part.from == 0,
             part.to == text.size(), out);
    }
}

}  // namespace tessaly::numbers
