// Any stored text reads as a number without failing, the rest after the numeric prefix never
// matters, and a check box only ever takes 0, 1 or 2.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "setting_number.h"

using namespace tessaly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = ReadSettingNumber(text);
    const double again = ReadSettingNumber(text + "x");
    if (!(value == again || (std::isnan(value) && std::isnan(again)))) std::abort();
    try {
        const int box = CheckBoxValueFromSetting(text);
        if (box < 0 || box > 2) std::abort();
    } catch (const std::overflow_error&) {
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
