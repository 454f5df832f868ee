#include "name_rules.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

// A byte that starts or continues no valid character is kept apart from every character.
constexpr char32_t kStrayByteBase = 0x110000;

// The next character of `text` from `i`, which moves past it.
char32_t NextCharacter(std::string_view text, std::size_t& i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t c = 0;
    if (byte < 0x80) {
        ++i;
        return byte;
    } else if (byte >= 0xC2 && byte <= 0xDF) {
        length = 2;
        c = byte & 0x1F;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        length = 3;
        c = byte & 0x0F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        length = 4;
        c = byte & 0x07;
    }
    if (length == 0 || i + length > text.size()) {
        ++i;
        return kStrayByteBase + byte;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kStrayByteBase + byte;
        }
        c = (c << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kStrayByteBase + byte;
    }
    i += length;
    return c;
}

// Upper-case letters of the Latin, Greek and Cyrillic alphabets to lower case; every other
// character stays as it is.
char32_t FoldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
    if (c >= 0x100 && c <= 0x137) return c | 1;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    return c;
}

std::vector<char32_t> FoldedCharacters(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        out.push_back(FoldCase(NextCharacter(text, i)));
    return out;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    const std::vector<char32_t> n = FoldedCharacters(name);
    const std::vector<char32_t> p = FoldedCharacters(pattern);
    // Greedy matching that goes back to the last "*" on a mismatch.
    std::size_t ni = 0, pi = 0;
    std::size_t starAt = p.size(), resumeAt = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starAt = pi++;
            resumeAt = ni;
        } else if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (starAt != p.size()) {
            pi = starAt + 1;
            ni = ++resumeAt;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

bool ListsBefore(std::string_view a, std::string_view b) {
    // Folded a character at a time, so a folder of a million names is sorted in place.
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = FoldCase(NextCharacter(a, i));
        const char32_t cb = FoldCase(NextCharacter(b, j));
        if (ca != cb) return ca < cb;
    }
    if (i < a.size() || j < b.size()) return j < b.size();
    return a < b;
}

bool ListsBefore(const char* a, const char* b) {
    // A byte below 0x80 is a character of its own, so such bytes are compared one by one until
    // the names differ or end; the first byte of a longer character hands over to the
    // character-wise comparison.
    for (std::size_t i = 0;; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) >= 0x80) return ListsBefore(std::string_view(a), std::string_view(b));
        if (ca == 0 || cb == 0) return ca == cb ? std::strcmp(a, b) < 0 : ca == 0;
        const char32_t fa = FoldCase(ca);
        const char32_t fb = FoldCase(cb);
        if (fa != fb) return fa < fb;
    }
}

std::uint64_t ListingKey(std::string_view name) {
    // Eight bytes, one character each while they are below 0x80 (folded, so never 0 nor above
    // 0x7F); a name's end is 0, below every character; the first longer character is 0x80,
    // above every byte below 0x80, and ends the key, since what it is takes more than a byte.
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const auto c = i < name.size() ? static_cast<unsigned char>(name[i]) : 0;
        if (c >= 0x80) return ((key << 8) | 0x80) << (8 * (7 - i));
        key = (key << 8) | FoldCase(c);
    }
    return key;
}

void SortForListing(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return ListsBefore(a, b); });
}

}  // namespace tessaly
