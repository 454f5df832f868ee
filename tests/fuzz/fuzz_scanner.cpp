// The streamed scanner gives the line scanner's numbers for any text, any required text and
// any way of cutting the text into pieces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "number_stream.h"
#include "phone_scanner.h"

using namespace tessaly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // First byte: option switches and piece size; second: length of the required text.
    const bool active = data[0] & 1;
    const std::size_t piece = 1 + (data[0] >> 1);
    const std::size_t needleLength = data[1] % 4;
    data += 2;
    size -= 2;
    if (size < needleLength) return 0;
    RequiredText required{active, std::u16string(data, data + needleLength)};
    data += needleLength;
    size -= needleLength;

    // The text as 16-bit units: a byte below 0x80 stands for itself, others for wide units.
    std::u16string text;
    std::string projected;
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = data[i] < 0x80 ? char16_t(data[i]) : char16_t(0x100 + data[i]);
        text.push_back(unit);
        projected.push_back(unit < 0x80 ? char(unit) : char(0x80));
    }
    std::vector<std::string> expected;
    for (std::string& n : ExtractPhone(text, ScanRules{required})) {
        if (n.size() >= kMinDigits && n.size() <= kMaxDigits) expected.push_back(std::move(n));
    }
    NumberStream stream(ScanRules{required});
    std::vector<PhoneNumber> found;
    for (std::size_t i = 0; i < projected.size(); i += piece) {
        const std::size_t n = std::min(piece, projected.size() - i);
        stream.feed(projected.data() + i, n, found);
    }
    stream.finish(found);
    if (found.size() != expected.size()) std::abort();
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].view() != expected[i]) std::abort();
    }
    return 0;
}
