#pragma once
// ResultList: the found numbers, one row each, in the order the runs appended them. Rows are
// addressed from 1 in display order, like the list that shows them. Compact: a row is one
// PhoneNumber, with no allocation of its own, so ten million rows stay a few hundred MB.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "phone_number.h"

namespace tessaly {

// Told before and after every change, so a view over the list stays in step with it.
class ResultListObserver {
  public:
    virtual ~ResultListObserver() = default;
    virtual void beforeAppend(std::size_t firstRow, std::size_t count) = 0;
    virtual void afterAppend() = 0;
    virtual void beforeRemove(std::size_t firstRow, std::size_t count) = 0;
    virtual void afterRemove() = 0;
    virtual void beforeReset() = 0;  // every row may change (clear, duplicate removal)
    virtual void afterReset() = 0;
};

class ResultList {
  public:
    void setObserver(ResultListObserver* observer) { observer_ = observer; }
    // Counts removals and resets: a walk that yields compares it to learn that rows went.
    std::uint64_t generation() const { return generation_; }

    std::size_t count() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // Row `row` (1-based); throws std::out_of_range when it no longer exists, as a walk that
    // yields may find after the list was changed meanwhile.
    const PhoneNumber& at(std::size_t row) const {
        if (row < 1 || row > rows_.size()) {
            throw std::out_of_range("Row " + std::to_string(row) +
                                    " of the results no longer exists");
        }
        return rows_[row - 1];
    }

    void append(const PhoneNumber& number) { append(std::span<const PhoneNumber>(&number, 1)); }
    void append(std::span<const PhoneNumber> numbers) {
        if (numbers.empty()) return;
        if (observer_) observer_->beforeAppend(rows_.size() + 1, numbers.size());
        // Growing by half rather than doubling keeps the room held beyond the rows to half of
        // them at most, where doubling may hold as much again: with millions of rows that is
        // a difference of a hundred megabytes or more.
        const std::size_t needed = rows_.size() + numbers.size();
        if (needed > rows_.capacity()) rows_.reserve(std::max(needed, rows_.capacity() * 3 / 2));
        rows_.insert(rows_.end(), numbers.begin(), numbers.end());
        if (observer_) observer_->afterAppend();
    }
    void removeAt(std::size_t row) {
        at(row);
        if (observer_) observer_->beforeRemove(row, 1);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row - 1));
        ++generation_;
        if (observer_) observer_->afterRemove();
    }
    // Removes the last `count` rows (all of them when there are fewer).
    void removeLast(std::size_t count) {
        count = std::min(count, rows_.size());
        if (count == 0) return;
        if (observer_) observer_->beforeRemove(rows_.size() - count + 1, count);
        rows_.resize(rows_.size() - count);
        ++generation_;
        if (observer_) observer_->afterRemove();
    }
    void clear() {
        if (observer_) observer_->beforeReset();
        rows_.clear();
        rows_.shrink_to_fit();
        ++generation_;
        if (observer_) observer_->afterReset();
    }

    // All rows, in order, for readers that walk them without yielding.
    std::span<const PhoneNumber> rows() const { return rows_; }
    // Replaces every row (for edits done on a copy, such as duplicate removal).
    void assign(std::vector<PhoneNumber> rows) {
        if (observer_) observer_->beforeReset();
        rows_ = std::move(rows);
        ++generation_;
        if (observer_) observer_->afterReset();
    }

  private:
    std::vector<PhoneNumber> rows_;
    ResultListObserver* observer_ = nullptr;
    std::uint64_t generation_ = 0;
};

}  // namespace tessaly
