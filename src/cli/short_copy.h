#pragma once
// CopyShort: a copy of a few bytes as words that may overlap, without a library call. The
// writer copies a path, a number and its parts for every line, and nearly all of them are a
// few dozen bytes or less, where the call and its size dispatch would cost more than the copy.

#include <cstddef>
#include <cstring>

namespace tessaly::cli {

inline void CopyShort(char* to, const char* from, std::size_t n) {
    if (n >= 16) {
        for (std::size_t i = 0; i + 16 < n; i += 16)
            std::memcpy(to + i, from + i, 16);
        std::memcpy(to + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
}

}  // namespace tessaly::cli
