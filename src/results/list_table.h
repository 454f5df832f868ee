#pragma once
// ListTable: a list seen as columns and rows, the way the writers and the clipboard copy read
// it: column titles, one cell per row and column, a check mark per row. Rows and columns are
// numbered from 1. Texts are 8-bit text, one byte per character.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessaly {

class ListTable {
  public:
    virtual ~ListTable() = default;
    virtual std::size_t columnCount() const = 0;
    virtual std::string_view columnTitle(std::size_t column) const = 0;
    virtual std::size_t rowCount() const = 0;
    // Throws std::out_of_range when the row no longer exists. The view lives until the list
    // changes.
    virtual std::string_view cell(std::size_t row, std::size_t column) const = 0;
    virtual bool checked(std::size_t row) const = 0;
    // Changes whenever rows are removed or replaced (appending leaves it as it is).
    virtual std::uint64_t generation() const = 0;
};

}  // namespace tessaly
