#include "duplicate_removal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "result_list_table.h"

namespace tessaly {

namespace {

// The rows seen so far, by text: an open-addressing table of row indices. Each slot holds the
// upper half of the text's hash beside the row's index + 1 (0: empty), so most probes that
// miss are decided without reading the row.
class FirstRowSet {
  public:
    explicit FirstRowSet(std::size_t expected) { resize(CapacityFor(expected)); }

    // True when no row seen before has the text of `rows[index]`; the row is then remembered.
    bool insert(const ResultList::Rows& rows, std::size_t index) {
        if (index >= kMaxRows) throw std::length_error("Too many results to compare");
        const std::uint64_t hash = Hash(rows[index]);
        const std::uint64_t tag = hash & kTagMask;
        for (std::size_t s = hash & mask_;; s = (s + 1) & mask_) {
            const std::uint64_t slot = slots_[s];
            if (slot == 0) {
                slots_[s] = tag | (index + 1);
                if (++size_ * 4 > slots_.size() * 3) grow(rows);
                return true;
            }
            if ((slot & kTagMask) == tag && rows[(slot & kIndexMask) - 1] == rows[index]) {
                return false;
            }
        }
    }

  private:
    static constexpr std::uint64_t kIndexMask = 0xFFFFFFFFu;
    static constexpr std::uint64_t kTagMask = ~kIndexMask;
    static constexpr std::size_t kMaxRows = kIndexMask - 1;

    static std::uint64_t Hash(const PhoneNumber& n) {
        return std::hash<std::string_view>{}(n.view());
    }
    // Room for `rows` at most two thirds full.
    static std::size_t CapacityFor(std::size_t rows) {
        return std::bit_ceil(std::max<std::size_t>(16, rows + rows / 2));
    }

    void resize(std::size_t capacity) {
        slots_.assign(capacity, 0);
        mask_ = capacity - 1;
    }

    void grow(const ResultList::Rows& rows) {
        std::vector<std::uint64_t> old = std::move(slots_);
        resize(old.size() * 2);
        for (const std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t s = Hash(rows[(slot & kIndexMask) - 1]) & mask_;
            while (slots_[s] != 0)
                s = (s + 1) & mask_;
            slots_[s] = slot;
        }
    }

    std::vector<std::uint64_t> slots_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

}  // namespace

bool RemoveDuplicateRows(ResultList& list, const WalkYield& yield) {
    const ResultListTable table(list);
    RowWalk walk(table, yield);
    FirstRowSet seen(list.count());
    std::vector<bool> keep;
    keep.reserve(list.count());
    std::size_t removed = 0;
    // The count is read afresh: rows appended while the walk yields are compared as well.
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (!walk.pass()) return false;
        const bool first = seen.insert(list.rows(), i);
        keep.push_back(first);
        if (!first) ++removed;
    }
    // A list without duplicates is not touched, so its view keeps its selection and scroll.
    if (removed == 0) return true;

    list.retain(keep);
    return true;
}

}  // namespace tessaly
