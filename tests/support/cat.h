#pragma once
// Cat("d", std::to_string(n), "/"): joins texts by appending, which also spares GCC 12 its false
// -Wrestrict alarm on "literal" + std::string.

#include <string>
#include <string_view>

namespace tessaly::testing {

template <class... Parts>
std::string Cat(const Parts&... parts) {
    std::string out;
    (out.append(std::string_view(parts)), ...);
    return out;
}

}  // namespace tessaly::testing
