#pragma once
// How file and folder names are read as text: their order without regard to case and wildcard
// patterns. Names are UTF-8 bytes; a byte that belongs to no character stands for itself and
// matches only itself.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Wildcard match, case ignored: "*" any run of characters, "?" exactly one; "*.*" matches
// every name, also names without a dot.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Puts `names` into the listing order: compared without regard to case; names equal but for
// case keep a fixed order by their bytes.
void SortForListing(std::vector<std::string>& names);

}  // namespace tessaly
