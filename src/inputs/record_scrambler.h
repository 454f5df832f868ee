#pragma once
// The reversible scrambling of the sample record. It works on codes 0 to 255 (the bytes of the
// UTF-8 text), so paths with any characters survive, and keeps the length. Every code from 1 to
// 255 comes back unchanged; scrambled codes also lie from 1 to 255.

#include <optional>
#include <string>
#include <string_view>

#include "paced_yield.h"

namespace tessaly {

// The fixed word that scrambles and unscrambles the record: 8 lower-case letters.
inline constexpr std::string_view kRecordKey = "veltrisk";

// Each code plus the next key letter's code, less 255 from 256 on. `yield`, when given, is
// offered a pass before every code; once it answers false the text is cut short there.
std::string ScrambleText(std::string_view text, std::string_view key, PacedYield* yield = nullptr);
// Each code less the next key letter's code, plus 255 at 0 and below.
std::string UnscrambleText(std::string_view text, std::string_view key,
                           PacedYield* yield = nullptr);

// The stored form: each code as the character of that number, in UTF-8, so the settings keep
// it as text.
std::string CodesToStoredText(std::string_view codes);
// Back to the codes; nothing when the text holds a character above 255 or is no UTF-8.
std::optional<std::string> StoredTextToCodes(std::string_view text);

}  // namespace tessaly
