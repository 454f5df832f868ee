#pragma once
// Numbers that blanks separate: a run whose digit count is not accepted is cut at its blanks
// into consecutive parts, each a range of its blank-separated groups that `accepts` takes,
// covering as many digits as possible (then with as few parts as possible, then the earliest).
// Groups left between or around the parts are dropped.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace tessaly::numbers {

// Part of a written text: units [from, to).
struct TextPart {
    std::size_t from = 0;
    std::size_t to = 0;
    friend bool operator==(const TextPart&, const TextPart&) = default;
};

// Whether `part` of the text may stand as a number; `first` and `last`: it begins or ends the
// text.
using PartTest = std::function<bool(TextPart part, bool first, bool last)>;

// The parts of `text` (a run's written text), in order; empty when no part is accepted.
std::vector<TextPart> SplitAtBlanks(std::u16string_view text, const PartTest& accepts);

}  // namespace tessaly::numbers
