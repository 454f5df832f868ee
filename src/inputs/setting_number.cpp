#include "setting_number.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace tessaly {

double ReadSettingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    // The numeric prefix: digits with at most one decimal point; the first other character ends it.
    std::string prefix;
    bool seenPoint = false;
    bool seenDigit = false;
    bool integerPartNonZero = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            seenDigit = true;
            if (!seenPoint && c != '0') integerPartNonZero = true;
        } else if (c != '.' || seenPoint) {
            break;
        } else {
            seenPoint = true;
        }
        prefix += c;
    }
    if (!seenDigit) return 0.0;

    // from_chars rather than strtod: the decimal point must not follow the user's locale.
    double value = 0.0;
    const auto [end, error] = std::from_chars(prefix.data(), prefix.data() + prefix.size(), value,
                                              std::chars_format::fixed);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too many digits for a double: a huge number, or a fraction too small to matter.
        value = integerPartNonZero ? HUGE_VAL : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::int16_t SettingNumberToInteger(double value) {
    if (!std::isfinite(value)) throw std::overflow_error("Overflow");
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5) {
        rounded = floor + 1.0;
    } else if (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0) {
        rounded = floor + 1.0;  // a half goes to the even neighbour
    }
    if (rounded < -32768.0 || rounded > 32767.0) throw std::overflow_error("Overflow");
    return static_cast<std::int16_t>(rounded);
}

int CheckBoxValueFromSetting(std::string_view text) {
    const int value = SettingNumberToInteger(ReadSettingNumber(text));
    if (value < 0 || value > 2) throw std::invalid_argument("Invalid property value");
    return value;
}

}  // namespace tessaly
