#pragma once
// The texts the result list's menu puts on the clipboard for the rows the user selected, in
// list order, each line ending as the clipboard's lines do (kClipboardLineEnd): "Copy With Source"
// writes PATH:LINE:NUMBER, "Copy Number" the number alone. A row whose file or line is not known
// leaves that field empty.

#include <cstddef>
#include <span>
#include <string>

#include "result_list.h"

namespace tessaly {

// `rows` are 1-based, in list order; throws std::out_of_range for a row that no longer exists.
std::string RowsWithSource(const ResultList& list, std::span<const std::size_t> rows);
std::string RowNumbers(const ResultList& list, std::span<const std::size_t> rows);

}  // namespace tessaly
