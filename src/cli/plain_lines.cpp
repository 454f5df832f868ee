#include "plain_lines.h"

namespace tessaly::cli {

void PlainLines::take(const ScanBatch& batch) {
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
