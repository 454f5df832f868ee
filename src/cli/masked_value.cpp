#include "masked_value.h"

#include <algorithm>

namespace tessaly::cli {

std::string_view MaskedValue(std::string_view value, const std::optional<std::string>& mask,
                             std::string& scratch) {
    if (!mask) return value;
    const std::string_view digits = value.substr(value.starts_with('+') ? 1 : 0);
    if (std::size_t(std::count(mask->begin(), mask->end(), 'x')) != digits.size()) return value;
    scratch.clear();
    std::size_t next = 0;
    for (char c : *mask)
        scratch.push_back(c == 'x' ? digits[next++] : c);
    return scratch;
}

}  // namespace tessaly::cli
