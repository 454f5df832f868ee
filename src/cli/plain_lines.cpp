#include "plain_lines.h"

namespace tessaly::cli {

void PlainLines::take(const ScanBatch& batch) {
    if (const std::string_view lines = batch.digitLines.view(); !lines.empty()) {
        out_.write(lines);
        fileWritten_ = wrote_ = true;
    }
    for (const PhoneNumber& n : batch.numbers)
        out_.writeLine(n.view());
    fileWritten_ = fileWritten_ || !batch.numbers.empty();
    wrote_ = wrote_ || !batch.numbers.empty();
}

void PlainLines::take(const std::vector<WrittenNumber>& numbers) {
    for (const WrittenNumber& n : numbers)
        out_.writeLine(n.value);
    fileWritten_ = fileWritten_ || !numbers.empty();
    wrote_ = wrote_ || !numbers.empty();
}

}  // namespace tessaly::cli
