#include "written_units.h"

namespace tessaly::numbers {

char DigitOf(char16_t unit) {
    for (const char16_t zero : {u'0', u'\uFF10', u'\u0660', u'\u06F0'}) {
        if (unit >= zero && unit <= zero + 9) return char('0' + (unit - zero));
    }
    return 0;
}

bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == 0x00A0 || (unit >= 0x2002 && unit <= 0x200A) || unit == 0x202F ||
           unit == 0x205F || unit == 0x3000;
}

bool IsGlue(char16_t unit) {
    if (unit == u'#' || unit == u'$' || unit == u'/') return true;
    if ((unit | 0x20) >= u'a' && (unit | 0x20) <= u'z') return true;
    // Latin-1 and Latin Extended letters (not the multiplication and division signs).
    return unit >= 0x00C0 && unit <= 0x024F && unit != 0x00D7 && unit != 0x00F7;
}

std::string DigitsOf(std::u16string_view text) {
    std::string digits;
    for (const char16_t unit : text) {
        if (const char d = DigitOf(unit)) digits.push_back(d);
    }
    return digits;
}

}  // namespace tessaly::numbers
