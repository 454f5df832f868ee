#pragma once
// The extraction options as a plain record: the 16 length boxes (box i accepts numbers of
// i + 5 digits) and the required-text option. The window's controls are its on-screen form;
// the run reads a fresh copy whenever it may have changed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "scan_rules.h"

namespace tessaly {

inline constexpr int kLengthBoxCount = 16;

// Check-box values: 0 unticked, 1 ticked, 2 the greyed third state.
enum BoxValue : int { kUnticked = 0, kTicked = 1, kGreyed = 2 };

struct ExtractionOptions {
    std::array<int, kLengthBoxCount> lengthBoxes{};  // Check1(0..15)
    int requireBox = kUnticked;                      // Check2
    std::u16string requiredText;                     // Text1
    // The number options: the country of numbers written without an international prefix (an
    // ISO 3166 code; empty: "(none)"), valid numbers only, numbers written as +E.164, runs cut
    // at their blanks.
    std::string numberCountry;
    bool validNumbersOnly = false;
    bool numbersAsE164 = false;
    bool splitAtBlanks = false;

    // The digit count box `index` stands for: the numeric value of its caption.
    static constexpr std::size_t DigitsOfBox(int index) {
        return static_cast<std::size_t>(index) + 5;
    }

    // The rules these options stand for. A number is kept when a box whose caption equals its
    // digit count is ticked (value 1 only; the captions are the distinct counts 5 to 20, so at
    // most one box can match). The required-text option is off only at value 0.
    ScanRules scanRules() const {
        ScanRules rules;
        rules.lengths = 0;
        for (int i = 0; i < kLengthBoxCount; ++i) {
            if (lengthBoxes[i] == kTicked) rules.lengths |= std::uint32_t{1} << DigitsOfBox(i);
        }
        rules.required = {requireBox != kUnticked, requiredText};
        // The number options judge each number by its text and what stands around it, and a
        // run of numbers that blanks separate reaches them whatever its digit count.
        if (numbersActive()) {
            rules.writtenText = rules.numberContext = true;
            rules.longRuns = splitAtBlanks;
        }
        return rules;
    }

    bool numbersActive() const {
        return !numberCountry.empty() || validNumbersOnly || numbersAsE164 || splitAtBlanks;
    }

    friend bool operator==(const ExtractionOptions&, const ExtractionOptions&) = default;
};

}  // namespace tessaly
