#pragma once
// The characters of a number's written text as the number rules read them: digits of the
// scripts the scan reads as digits, blanks, and what a number may be glued to.

#include <string>
#include <string_view>

namespace tessaly::numbers {

// '0' to '9' for the digit `unit` stands for (ASCII, full-width, Arabic-Indic), else 0.
char DigitOf(char16_t unit);
// U+0020 and the no-break and typographic spaces the scan may read as blanks.
bool IsBlank(char16_t unit);
// A letter (ASCII or Latin), '#', '$' or '/': a number written against one is some other code.
bool IsGlue(char16_t unit);
// The digits of `text`, in order.
std::string DigitsOf(std::u16string_view text);

}  // namespace tessaly::numbers
