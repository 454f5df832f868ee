#pragma once
// How file and folder names are read as text: their order without regard to case and wildcard
// patterns. Names are UTF-8 bytes; a byte that belongs to no character stands for itself and
// matches only itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Wildcard match, case ignored: "*" any run of characters, "?" exactly one; "*.*" matches
// every name, also names without a dot.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The listing order: names compared without regard to case; names equal but for case keep a
// fixed order by their bytes. True when `a` comes before `b`.
bool ListsBefore(std::string_view a, std::string_view b);
// The same for names that end with a zero byte, without measuring them first: names of plain
// letters, digits and signs are compared as they are read.
bool ListsBefore(const char* a, const char* b);

// The first characters of `name` (case ignored) as one number, for sorting many names: a name
// with a smaller key lists before one with a larger key; equal keys leave it to ListsBefore.
std::uint64_t ListingKey(std::string_view name);

// Puts `names` into the listing order.
void SortForListing(std::vector<std::string>& names);

}  // namespace tessaly
