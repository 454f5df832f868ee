#pragma once
// The variants of the scanner's byte helpers, for choosing the fastest at run time and for
// tests that check every variant the processor can run against the portable one.

#include <vector>

#include "byte_skip.h"

namespace tessaly {

struct ByteHelperSet {
    const char* name;
    const char* (*findNumberChar)(const char*, const char*);
    const char* (*findTokenEnd)(const char*, const char*);
    TokenSpan (*measureTokenSpan)(const char*, const char*);
    BlockMasks (*classifyBlock)(const char*, const char*);
    BlockMasks (*classifyBlockAndBreaks)(const char*, const char*, BreakMasks&);
    std::size_t (*copyDigits)(const char*, const char*, const char*, char*);
    const char* (*walkDigitRuns)(const char*, const char*, std::uint32_t, DigitRunCarry&, char*&,
                                 const char*);
    const char* (*walkDigitRunLines)(const char*, const char*, std::uint32_t, DigitRunCarry&,
                                     char*&, const char*, std::size_t*&, TextSpan**);
};

// Every set this processor can run: the portable one first, the fastest last.
std::vector<ByteHelperSet> AvailableByteHelperSets();

}  // namespace tessaly
