#pragma once
// The number rules layer. The engine's scan finds runs of digits and phone punctuation; this
// stage, run on each candidate it found (on the scanning worker's thread, one stage per
// worker), turns them into telephone numbers:
//
//   candidate (value, written text, the characters around it on its line)
//     -> a run whose digit count is not accepted is cut at its blanks (--split-blanks,
//        blank_split.h), else dropped
//     -> look-alikes dropped by cheap rules of shape (lookalike_shapes.h), when only valid
//        numbers are kept
//     -> read as the library parses it, for the country given: a "+" written before it, or
//        the international prefix among its digits, included; the extension written after it
//        (number_judge.h: straight from the library's numbering plans where its parse would
//        read the same, plan_reader.h and numbering_plans.h; cached in judged_cache.h)
//     -> numbers no plan of their calling code admits are invalid without asking the library
//     -> kept when valid (if asked), written as its digits or as +E.164, described for jsonl.
//
// Only the library's PhoneNumberUtil is used, on the candidates alone, never its matcher.

#include <string>
#include <string_view>
#include <vector>

#include "number_judge.h"
#include "number_rules.h"
#include "written_number_stream.h"

namespace tessaly::numbers {

struct Candidate {
    std::string_view value;  // "+" when the scan kept one, then the digits
    std::u16string_view text;
    std::u16string_view before;
    std::u16string_view after;
};

struct StagedNumber {
    std::string value;    // what is written: as the scan read it, or +E.164
    std::u16string text;  // the written text of the number (a part of the candidate's)
    // The jsonl members `,"e164":...,"country":...,"type":...,"extension":...` (describe only).
    std::string jsonMembers;
};

class NumberStage {
  public:
    explicit NumberStage(const NumberRules& rules);

    // The numbers `candidate` stands for, appended to `out` in order: none, one, or the parts
    // a split gave.
    void judge(const Candidate& candidate, std::vector<StagedNumber>& out);
    // Replaces the scan's `numbers` (read with their text and context) by the numbers they stand
    // for, each keeping its candidate's line.
    void judgeAll(std::vector<WrittenNumber>& numbers);

  private:
    struct Reading {
        bool plus = false;
        std::string digits;
        std::string extension;
    };
    Reading read(const Candidate& candidate, std::u16string_view text, bool first, bool last) const;
    // Whether the part may stand as a number: its digit count, its shape, its validity.
    bool acceptable(const Candidate& candidate, std::u16string_view text, bool first, bool last);
    void keep(const Candidate& candidate, std::u16string_view text, bool first, bool last,
              std::vector<StagedNumber>& out);

    NumberRules rules_;
    NumberJudge judge_;
    std::vector<StagedNumber> staged_;
    std::vector<WrittenNumber> kept_;
};

}  // namespace tessaly::numbers
