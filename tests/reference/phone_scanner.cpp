#include "phone_scanner.h"

#include "number_chars.h"

namespace tessaly {

namespace {

void CloseToken(std::u16string& token, const RequiredText& required,
                std::vector<std::string>& result) {
    const bool accepted = !required.active || token.find(required.text) != std::u16string::npos;
    if (accepted) {
        std::string digits;
        for (char16_t unit : token) {
            if (ClassOf(unit) == CharClass::Digit) digits.push_back(static_cast<char>(unit));
        }
        result.push_back(std::move(digits));
    }
    token.clear();
}

}  // namespace

std::vector<std::string> ExtractPhone(std::u16string_view text, const ScanRules& rules) {
    std::vector<std::string> result;
    std::u16string token;
    bool inNumber = false;
    for (char16_t unit : text) {
        if (unit == u' ') continue;  // spaces vanish before the walk, so they never end a number
        if (IsNumberChar(unit)) {
            inNumber = true;
            token.push_back(unit);
        } else if (inNumber) {
            CloseToken(token, rules.required, result);
            inNumber = false;
        }
    }
    if (!token.empty()) CloseToken(token, rules.required, result);
    return result;
}

}  // namespace tessaly
