#pragma once
// Narrowing UTF-16 and UTF-32 units to the scanner's bytes (AsciiProjector's reading of wide
// text without the separators): every unit below 0x80 becomes its byte, every other one 0x80.
// Wide text is as common as 8-bit text among the files users have, so it is narrowed a block of
// units at a time by the fastest code the processor supports, chosen once at run time; every
// variant gives the same bytes.

#include <cstddef>
#include <vector>

namespace tessaly {

// Narrows `units` whole units of `width` bytes (2 or 4; big-endian when `big`) from p to `out`;
// returns the end of what it wrote.
using NarrowUnitsFunction = char* (*)(const unsigned char* p, std::size_t units, std::size_t width,
                                      bool big, char* out);

struct UnitNarrowing {
    const char* name;
    NarrowUnitsFunction narrow;
};

// Every variant this processor runs: the portable one first, the fastest last.
std::vector<UnitNarrowing> AvailableUnitNarrowings();

}  // namespace tessaly
