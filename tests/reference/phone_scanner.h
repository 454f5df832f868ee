#pragma once
// ExtractPhone: the line scanner. One text in, the digit strings of its numbers out, in order
// of appearance. This is the exact rule; NumberStream applies the same rule to a file streamed
// in chunks.

#include <string>
#include <string_view>
#include <vector>

#include "scan_rules.h"

namespace tessaly {

// Every maximal run of number characters of `text` after all U+0020 were removed, that passes
// the rules' required-text test, returned as its digits alone (possibly the empty string). The
// line scanner gives every number whatever its digit count; the rules' lengths are for whoever
// keeps the numbers.
std::vector<std::string> ExtractPhone(std::u16string_view text, const ScanRules& rules);

}  // namespace tessaly
