#pragma once
// A found telephone number: its bare digits, 5 to 20 of them, kept in place without a heap
// allocation so that millions of results stay compact.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tessaly {

constexpr std::size_t kMinDigits = 5;
constexpr std::size_t kMaxDigits = 20;

class PhoneNumber {
  public:
    PhoneNumber() = default;
    // Takes at most kMaxDigits characters of `digits`.
    explicit PhoneNumber(std::string_view digits) {
        size_ = static_cast<std::uint8_t>(digits.size() < kMaxDigits ? digits.size() : kMaxDigits);
        for (std::size_t i = 0; i < size_; ++i)
            digits_[i] = digits[i];
    }

    // From a buffer that holds at least kMaxDigits bytes, of which the first `size` are the
    // digits: a fixed-size copy, for the scanner's hot path.
    static PhoneNumber FromBuffer(const char* buffer, std::size_t size) {
        PhoneNumber n;
        n.assignFromBuffer(buffer, size);
        return n;
    }
    // The same, written over this number where it stands: a number made elsewhere and then
    // copied here is read back in one piece from the smaller writes that made it, which stalls
    // the processor on every number.
    void assignFromBuffer(const char* buffer, std::size_t size) {
        std::memcpy(digits_.data(), buffer, kMaxDigits);
        size_ = static_cast<std::uint8_t>(size < kMaxDigits ? size : kMaxDigits);
    }

    std::size_t size() const { return size_; }
    std::string_view view() const { return {digits_.data(), size_}; }
    std::string str() const { return std::string(view()); }

    friend bool operator==(const PhoneNumber& a, const PhoneNumber& b) {
        return a.view() == b.view();
    }

  private:
    std::array<char, kMaxDigits> digits_{};
    std::uint8_t size_ = 0;
};

}  // namespace tessaly
