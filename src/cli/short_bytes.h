#pragma once
// Runs of a few bytes copied and compared as words that may overlap, without a library call.
// The writer copies a path, a number and its parts for every line, and the tables of distinct
// values compare one value for nearly every number found; nearly all of them are a few dozen
// bytes or less, where a call and its size dispatch would cost more than the work.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

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

// Copies `text` to p and moves p past it.
inline void PutShort(char*& p, std::string_view text) {
    CopyShort(p, text.data(), text.size());
    p += text.size();
}

// True when the n bytes at a and at b are the same.
inline bool SameShort(const char* a, const char* b, std::size_t n) {
    const auto word = [](const char* p) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    const auto halfWord = [](const char* p) {
        std::uint32_t w;
        std::memcpy(&w, p, 4);
        return w;
    };
    if (n >= 8) {
        std::uint64_t differ = word(a + n - 8) ^ word(b + n - 8);
        for (std::size_t i = 0; i + 8 < n; i += 8)
            differ |= word(a + i) ^ word(b + i);
        return differ == 0;
    }
    if (n >= 4) {
        return ((halfWord(a) ^ halfWord(b)) | (halfWord(a + n - 4) ^ halfWord(b + n - 4))) == 0;
    }
    return n == 0 || (a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1]);
}

}  // namespace tessaly::cli
