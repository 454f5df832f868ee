#pragma once
// Word-at-a-time helpers of the scanner: they pass over runs of bytes that cannot change its
// state many bytes at a time. Both return `end` when no such byte is found.

namespace tessaly {

// First byte that is a number character.
const char* FindNumberChar(const char* p, const char* end);
// First byte that is neither a number character nor a space.
const char* FindTokenEnd(const char* p, const char* end);

}  // namespace tessaly
