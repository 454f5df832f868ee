#pragma once
// How a stored text becomes a number: its numeric prefix (leading blanks skipped, an optional
// sign, digits and one decimal point; the rest ignored; nothing numeric reads as 0), rounded
// half to even and taken as a 16-bit value, as a check box receives it.

#include <cstdint>
#include <string_view>

namespace tessaly {

double ReadSettingNumber(std::string_view text);

// Rounded half to even; throws std::overflow_error ("Overflow") outside -32768..32767.
std::int16_t SettingNumberToInteger(double value);

// The state a check box takes from a stored text: 0, 1 or 2. Throws std::overflow_error or
// std::invalid_argument ("Invalid property value") for anything else.
int CheckBoxValueFromSetting(std::string_view text);

}  // namespace tessaly
