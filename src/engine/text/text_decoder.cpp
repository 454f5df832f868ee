#include "text_decoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tessaly {

namespace {

// Length of the sequence a UTF-8 lead byte begins; 0 for a byte that begins none.
std::size_t SequenceLength(unsigned char b, Utf8Lead& lead) {
    if (b < 0x80) {
        lead = Utf8Lead{};
        return 1;
    }
    return ReadLead(b, lead) ? lead.need + 1 : 0;
}

std::size_t SequenceLength(unsigned char b) {
    Utf8Lead lead;
    return SequenceLength(b, lead);
}

}  // namespace

std::size_t IncompleteUtf8Tail(std::string_view bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(bytes[n - back]);
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte: its lead is further back
        const std::size_t length = SequenceLength(b);
        return length > back ? back : 0;
    }
    return 0;
}

bool IsWellFormedUtf8(std::string_view bytes, bool* sawNonAscii) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // A run of ASCII, the common case, is passed over whole.
        if (end - p >= 64 && IsAscii(reinterpret_cast<const char*>(p), 64)) {
            p += 64;
            continue;
        }
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (!(word & 0x8080808080808080ull)) {
                p += 8;
                continue;
            }
        }
        Utf8Lead lead;
        const std::size_t length = SequenceLength(*p, lead);
        if (sawNonAscii && *p >= 0x80) *sawNonAscii = true;
        if (length == 0 || std::size_t(end - p) < length) return false;
        for (std::size_t i = 1; i < length; ++i) {
            const unsigned char min = i == 1 ? lead.lo : 0x80, max = i == 1 ? lead.hi : 0xBF;
            if (p[i] < min || p[i] > max) return false;
        }
        p += length;
    }
    return true;
}

void Utf8Check::feed(std::string_view bytes) {
    if (!ok_) return;
    if (!carry_.empty()) {  // complete the sequence cut by the last piece first
        const std::size_t length = SequenceLength(static_cast<unsigned char>(carry_[0]));
        const std::size_t take = std::min(length - carry_.size(), bytes.size());
        carry_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (carry_.size() < length) return;
        ok_ = IsWellFormedUtf8(carry_);
        carry_.clear();
    }
    const std::size_t tail = IncompleteUtf8Tail(bytes);
    bool sawNonAscii = tail > 0;
    ok_ = ok_ && IsWellFormedUtf8(bytes.substr(0, bytes.size() - tail), &sawNonAscii);
    ascii_ = ascii_ && !sawNonAscii;
    carry_ = std::string(bytes.substr(bytes.size() - tail));
}

std::u16string TextDecoder::decodeWhole(std::string_view bytes) const {
    switch (encoding_) {
        case TextEncoding::EightBit:
            return DecodeWindows1252(bytes);
        case TextEncoding::Utf8:
            return DecodeUtf8(bytes);
        default:
            return DecodeWide(bytes, encoding_);
    }
}

void TextDecoder::decode(std::string_view bytes, std::u16string& out) {
    const bool utf8 = encoding_ == TextEncoding::Utf8;
    if (!carry_.empty()) {  // complete the sequence or unit cut by the last piece first
        const std::size_t length =
            utf8 ? SequenceLength(static_cast<unsigned char>(carry_[0])) : UnitWidth(encoding_);
        std::size_t take = std::min(length - carry_.size(), bytes.size());
        // A UTF-8 sequence goes on only with continuation bytes: any other byte ends it broken
        // and is read anew, as the start of what follows.
        bool broken = false;
        for (std::size_t i = 0; utf8 && i < take; ++i) {
            if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
                take = i;
                broken = true;
            }
        }
        carry_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (carry_.size() < length && !broken) return;
        out += decodeWhole(carry_);
        carry_.clear();
    }
    // A surrogate pair cut in two needs no holding back: its halves decode to the same units.
    const std::size_t held = utf8 ? IncompleteUtf8Tail(bytes) : bytes.size() % UnitWidth(encoding_);
    out += decodeWhole(bytes.substr(0, bytes.size() - held));
    carry_ = std::string(bytes.substr(bytes.size() - held));
}

void TextDecoder::finish(std::u16string& out) {
    if (!carry_.empty()) out += decodeWhole(carry_);
    carry_.clear();
}

}  // namespace tessaly
