#pragma once
// The result list as a table: one column titled "Results". The list shows no check boxes, so
// every row counts as checked.

#include <string_view>

#include "list_table.h"
#include "result_list.h"

namespace tessaly {

inline constexpr std::string_view kResultsColumnTitle = "Results";

class ResultListTable : public ListTable {
  public:
    explicit ResultListTable(const ResultList& list) : list_(list) {}

    std::size_t columnCount() const override { return 1; }
    std::string_view columnTitle(std::size_t) const override { return kResultsColumnTitle; }
    std::size_t rowCount() const override { return list_.count(); }
    // A result row has no further cells: they read as empty.
    std::string_view cell(std::size_t row, std::size_t column) const override {
        const std::string_view text = list_.at(row).view();
        return column == 1 ? text : std::string_view();
    }
    bool checked(std::size_t row) const override {
        list_.at(row);
        return true;
    }
    std::uint64_t generation() const override { return list_.generation(); }

  private:
    const ResultList& list_;
};

}  // namespace tessaly
