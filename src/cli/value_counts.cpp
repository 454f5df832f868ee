#include "value_counts.h"

#include <charconv>

#include "masked_value.h"
#include "short_bytes.h"

namespace tessaly::cli {

ValueCounts::ValueCounts(OutputFile& out, std::optional<std::string> mask)
    : EachNumber(false, false), out_(out), mask_(std::move(mask)) {}

void ValueCounts::count(std::string_view value) {
    counted_.count(MaskedValue(value, mask_, masked_));
}

bool ValueCounts::fileFailed() {
    counted_.takeBackFile();
    return false;
}

void ValueCounts::finish() {
    counted_.finish().forEach([&](std::string_view value, std::uint64_t count) {
        char* p = out_.room(value.size() + 22);  // a tab, 20 digits, a line feed
        PutShort(p, value);
        *p++ = '\t';
        p = std::to_chars(p, p + 20, count).ptr;
        *p++ = '\n';
        out_.added(p);
        wrote_ = true;
    });
}

}  // namespace tessaly::cli
