#pragma once
// The extraction options as a plain record: the 16 length boxes (box i accepts numbers of
// i + 5 digits) and the required-text option. The window's controls are its on-screen form;
// the run reads a fresh copy whenever it may have changed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "phone_scanner.h"

namespace tessaly {

inline constexpr int kLengthBoxCount = 16;

// Check-box values: 0 unticked, 1 ticked, 2 the greyed third state.
enum BoxValue : int { kUnticked = 0, kTicked = 1, kGreyed = 2 };

struct ExtractionOptions {
    std::array<int, kLengthBoxCount> lengthBoxes{};  // Check1(0..15)
    int requireBox = kUnticked;                      // Check2
    std::u16string requiredText;                     // Text1

    // The digit count box `index` stands for: the numeric value of its caption.
    static constexpr std::size_t DigitsOfBox(int index) {
        return static_cast<std::size_t>(index) + 5;
    }

    // A number is kept when a box whose caption equals its digit count is ticked (value 1 only).
    // The captions are the distinct counts 5 to 20, so at most one box can match.
    bool acceptsDigitCount(std::size_t digits) const {
        const std::size_t index = digits - DigitsOfBox(0);
        return index < lengthBoxes.size() && lengthBoxes[index] == kTicked;
    }

    // Bit n set when numbers of n digits are kept.
    std::uint32_t acceptedLengthMask() const {
        std::uint32_t mask = 0;
        for (int i = 0; i < kLengthBoxCount; ++i) {
            if (lengthBoxes[i] == kTicked) mask |= std::uint32_t{1} << DigitsOfBox(i);
        }
        return mask;
    }

    // The scanner counts the option as off only at value 0.
    RequiredText requiredTextOption() const { return {requireBox != kUnticked, requiredText}; }

    friend bool operator==(const ExtractionOptions&, const ExtractionOptions&) = default;
};

}  // namespace tessaly
