#pragma once
// --mask: the value written for a number, its digits put one per "x" of the mask.

#include <optional>
#include <string>
#include <string_view>

namespace tessaly::cli {

// The value written for a number: `value` ("+" and digits, or digits) in the mask when the
// mask has as many x as the number has digits (the "+" is not written then), else as it is.
std::string_view MaskedValue(std::string_view value, const std::optional<std::string>& mask,
                             std::string& scratch);

}  // namespace tessaly::cli
