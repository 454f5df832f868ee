#pragma once
// The character classes of the scanner. Number characters are exactly "1234567890.-(){}";
// only U+0020 counts as a space. Every other character, whatever its width, ends a number.

#include <array>
#include <cstdint>

namespace tessaly {

enum class CharClass : std::uint8_t { Other = 0, Digit = 1, Punctuation = 2, Space = 3 };

constexpr std::array<CharClass, 256> MakeByteClasses() {
    std::array<CharClass, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[c] = CharClass::Digit;
    for (char c : {'.', '-', '(', ')', '{', '}'})
        table[static_cast<unsigned char>(c)] = CharClass::Punctuation;
    table[' '] = CharClass::Space;
    return table;
}

// Class of one ASCII byte; bytes 0x80 and above are Other.
inline constexpr std::array<CharClass, 256> kByteClass = MakeByteClasses();

// Class of one 16-bit code unit (or any wider code point).
constexpr CharClass ClassOf(char32_t unit) {
    return unit < 0x80 ? kByteClass[unit] : CharClass::Other;
}

constexpr bool IsNumberChar(char32_t unit) {
    CharClass c = ClassOf(unit);
    return c == CharClass::Digit || c == CharClass::Punctuation;
}

}  // namespace tessaly
