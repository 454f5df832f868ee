#pragma once
// ExtractPhone: the line scanner. One text in, the digit strings of its numbers out, in order
// of appearance. This is the exact rule; NumberStream applies the same rule to a file streamed
// in chunks.

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The required-text option as the scanner sees it: when active, a number is kept only when its
// raw token (spaces removed, punctuation still in) contains `text`. Case counts.
struct RequiredText {
    bool active = false;
    std::u16string text;
    friend bool operator==(const RequiredText&, const RequiredText&) = default;
};

// Every maximal run of number characters of `text` after all U+0020 were removed, that passes
// the required-text test, returned as its digits alone (possibly the empty string).
std::vector<std::string> ExtractPhone(std::u16string_view text, const RequiredText& required);

}  // namespace tessaly
