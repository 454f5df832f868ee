#include "source_text.h"

#include "clipboard_text.h"

namespace tessaly {

std::string RowsWithSource(const ResultList& list, std::span<const std::size_t> rows) {
    std::string text;
    for (const std::size_t row : rows) {
        const ResultSource source = list.sourceAt(row);
        if (source.file) text += source.file->path;
        text += ':';
        if (source.line != kUnknownLine) text += std::to_string(source.line);
        text += ':';
        text += list.at(row).view();
        text += kClipboardLineEnd;
    }
    return text;
}

std::string RowNumbers(const ResultList& list, std::span<const std::size_t> rows) {
    std::string text;
    text.reserve(rows.size() * (kMaxDigits + kClipboardLineEnd.size()));
    for (const std::size_t row : rows) {
        text += list.at(row).view();
        text += kClipboardLineEnd;
    }
    return text;
}

}  // namespace tessaly
