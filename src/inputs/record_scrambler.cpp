#include "record_scrambler.h"

namespace tessaly {

namespace {

enum class Direction { kScramble, kUnscramble };

std::string Transform(std::string_view text, std::string_view key, PacedYield* yield,
                      Direction direction) {
    std::string out;
    out.reserve(text.size());
    std::size_t k = 0;
    for (const char byte : text) {
        if (yield && !(*yield)()) break;
        const int c = static_cast<unsigned char>(byte);
        const int shift = key.empty() ? 0 : static_cast<unsigned char>(key[k]);
        if (!key.empty()) k = (k + 1) % key.size();
        int v = 0;
        if (direction == Direction::kScramble) {
            v = c + shift;
            if (v >= 256) v -= 255;
        } else {
            v = c - shift;
            if (v <= 0) v += 255;
        }
        out += static_cast<char>(static_cast<unsigned char>(v));
    }
    return out;
}

}  // namespace

std::string ScrambleText(std::string_view text, std::string_view key, PacedYield* yield) {
    return Transform(text, key, yield, Direction::kScramble);
}

std::string UnscrambleText(std::string_view text, std::string_view key, PacedYield* yield) {
    return Transform(text, key, yield, Direction::kUnscramble);
}

std::string CodesToStoredText(std::string_view codes) {
    std::string text;
    text.reserve(codes.size() * 2);
    for (const char byte : codes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> StoredTextToCodes(std::string_view text) {
    std::string codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            codes += static_cast<char>(c);
            continue;
        }
        // Only the two-byte forms of U+0080 to U+00FF belong to a stored record.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= text.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(text[++i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        codes += static_cast<char>(((c & 0x1F) << 6) | (next & 0x3F));
    }
    return codes;
}

}  // namespace tessaly
