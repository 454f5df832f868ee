#include "number_stream.h"

#include "byte_skip.h"
#include "number_chars.h"

namespace tessaly {

NumberStream::NumberStream(const RequiredText& required) : needle_(MakeNeedle(required)) {}

NumberStream::Needle NumberStream::MakeNeedle(const RequiredText& required) {
    Needle n;
    n.active = required.active && !required.text.empty();  // the empty text is in every token
    if (!n.active) return n;
    for (char16_t unit : required.text) {
        // A token holds number characters only (its spaces are gone), so a text with any other
        // character can never be found in one.
        if (!IsNumberChar(unit)) {
            n.impossible = true;
            return n;
        }
        n.text.push_back(static_cast<char>(unit));
    }
    n.fallback.assign(n.text.size(), 0);
    for (std::size_t i = 1, k = 0; i < n.text.size(); ++i) {
        while (k > 0 && n.text[i] != n.text[k]) k = n.fallback[k - 1];
        if (n.text[i] == n.text[k]) ++k;
        n.fallback[i] = k;
    }
    return n;
}

void NumberStream::setRequiredText(const RequiredText& required) {
    if (inToken_) {
        pending_ = MakeNeedle(required);
        hasPending_ = true;
    } else {
        needle_ = MakeNeedle(required);
        hasPending_ = false;
    }
}

void NumberStream::startToken() {
    if (hasPending_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
    inToken_ = true;
    digitCount_ = 0;
    matchState_ = 0;
    matched_ = !needle_.active;
}

void NumberStream::matchStep(char c) {
    const std::string& t = needle_.text;
    while (matchState_ > 0 && c != t[matchState_]) matchState_ = needle_.fallback[matchState_ - 1];
    if (c == t[matchState_]) ++matchState_;
    if (matchState_ == t.size()) matched_ = true;
}

void NumberStream::closeToken(std::vector<PhoneNumber>& out) {
    inToken_ = false;
    if (matched_ && digitCount_ >= kMinDigits && digitCount_ <= kMaxDigits) {
        out.emplace_back(std::string_view(digits_, digitCount_));
    }
}

// Walks one token from p; returns where scanning goes on (past the byte that ended the token,
// or `end` when the token is still open).
const char* NumberStream::scanToken(const char* p, const char* end,
                                    std::vector<PhoneNumber>& out) {
    const bool needMatch = needle_.active && !needle_.impossible;
    // Too many digits and nothing left to learn from the required text: only the end of the
    // token matters.
    const char* stop = (digitCount_ > kMaxDigits && (matched_ || !needMatch))
                           ? FindTokenEnd(p, end)
                           : takeTokenSpan(p, end, needMatch);
    if (stop == end) return end;
    closeToken(out);
    return stop + 1;
}

// Takes in the number characters of [p, first byte that ends the token); returns that byte,
// or `end`.
const char* NumberStream::takeTokenSpan(const char* p, const char* end, bool needMatch) {
    const char* const stop = FindTokenEnd(p, end);
    std::size_t count = digitCount_;
    if (needMatch && !matched_) {
        for (; p < stop; ++p) {
            const char c = *p;
            if (c == ' ') continue;
            matchStep(c);
            digits_[count < sizeof digits_ ? count : sizeof digits_ - 1] = c;
            count += static_cast<unsigned char>(c - '0') < 10;
        }
    } else {
        // Branch-free: every byte is stored, only a digit advances the count.
        for (; p < stop; ++p) {
            const char c = *p;
            digits_[count < sizeof digits_ ? count : sizeof digits_ - 1] = c;
            count += static_cast<unsigned char>(c - '0') < 10;
        }
    }
    digitCount_ = count;
    return stop;
}

void NumberStream::feed(const char* data, std::size_t size, std::vector<PhoneNumber>& out) {
    const char* p = data;
    const char* const end = data + size;
    while (p < end) {
        if (!inToken_) {
            p = FindNumberChar(p, end);
            if (p == end) break;
            startToken();
        }
        p = scanToken(p, end, out);
    }
}

void NumberStream::finish(std::vector<PhoneNumber>& out) {
    if (inToken_) closeToken(out);
    if (hasPending_) {
        needle_ = std::move(pending_);
        hasPending_ = false;
    }
}

}  // namespace tessaly
