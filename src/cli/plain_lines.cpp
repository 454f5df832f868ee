#include "plain_lines.h"

#include <algorithm>

namespace tessaly::cli {

void PlainLines::take(const ScanBatch& batch) {
    if (const std::string_view lines = batch.digitLines.view(); !lines.empty()) {
        out_.write(lines);
        fileLines_ += std::size_t(std::count(lines.begin(), lines.end(), '\n'));
        wrote_ = true;
    }
    for (const PhoneNumber& n : batch.numbers)
        out_.writeLine(n.view());
    fileLines_ += batch.numbers.size();
    wrote_ = wrote_ || !batch.numbers.empty();
}

void PlainLines::take(const std::vector<WrittenNumber>& numbers) {
    for (const WrittenNumber& n : numbers)
        out_.writeLine(n.value);
    fileLines_ += numbers.size();
    wrote_ = wrote_ || !numbers.empty();
}

}  // namespace tessaly::cli
