#pragma once
// Look-alikes: digits written like a telephone number that are something else. These cheap
// rules run before the number library is asked, on the candidate's written text and the
// characters around it on its line.

#include <string>
#include <string_view>

namespace tessaly::numbers {

enum class LookAlike {
    kNone,
    kGlued,      // against a letter, '#', '$' or '/': a code, an order or invoice number, a price
    kAddress,    // an IPv4 address, 192.168.1.20
    kDate,       // 2024-03-15, 15.03.2024, 03-15-24, a year range 2019-2023
    kVersion,    // 2.10.3, 10.0.19041
    kBook,       // an ISBN: after "ISBN", or its hyphen groups with a sound check digit
    kPostal,     // a ZIP+4 code, 90210-1234
    kExtension,  // the digits after "ext." or "x": the extension of the number before
};

LookAlike JudgeShape(std::u16string_view text, std::u16string_view before,
                     std::u16string_view after);

// The extension written after a number ("ext. 12", "x12", "extension 12", " #12"), its digits
// or empty.
std::string ExtensionAfter(std::u16string_view after);

}  // namespace tessaly::numbers
