#pragma once
// The characters the extractor reads as number characters or blanks on request, beyond the
// ASCII ones: typographic dashes and minus signs, full-width punctuation and digits, Arabic-Indic
// digits, and the no-break and fixed-width spaces. Each stands for one ASCII character.

namespace tessaly {

// The ASCII character `unit` is read as: a digit, '-', '.', '(', ')' or ' ' (a blank, dropped like
// U+0020); 0 for a unit the table does not hold.
constexpr char MapSeparator(char16_t unit) {
    if ((unit >= 0x2010 && unit <= 0x2015) || unit == 0x2212 || unit == 0xFE58 || unit == 0xFE63 ||
        unit == 0xFF0D) {
        return '-';
    }
    if (unit == 0xFF0E) return '.';
    if (unit == 0xFF08) return '(';
    if (unit == 0xFF09) return ')';
    if (unit == 0x00A0 || (unit >= 0x2002 && unit <= 0x200A) || unit == 0x202F || unit == 0x205F ||
        unit == 0x3000) {
        return ' ';
    }
    for (char16_t zero : {char16_t(0xFF10), char16_t(0x0660), char16_t(0x06F0)}) {
        if (unit >= zero && unit <= zero + 9) return char('0' + (unit - zero));
    }
    return 0;
}

}  // namespace tessaly
