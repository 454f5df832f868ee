#include "input_list.h"

#include <stdexcept>

namespace tessaly {

const std::string& InputList::at(std::size_t row) const {
    if (row < 1 || row > rows_.size()) {
        throw std::out_of_range("Row " + std::to_string(row) + " of the input list does not exist");
    }
    return rows_[row - 1];
}

void InputList::append(std::string path) {
    if (observer_) observer_->beforeAppend(rows_.size() + 1, 1);
    rows_.push_back(std::move(path));
    if (observer_) observer_->afterAppend();
}

void InputList::append(std::span<const std::string> paths) {
    if (paths.empty()) return;
    if (observer_) observer_->beforeAppend(rows_.size() + 1, paths.size());
    rows_.insert(rows_.end(), paths.begin(), paths.end());
    if (observer_) observer_->afterAppend();
}

void InputList::setText(std::size_t row, std::string path) {
    at(row);
    rows_[row - 1] = std::move(path);
    if (observer_) observer_->rowChanged(row);
}

void InputList::removeAt(std::size_t row) {
    at(row);
    if (observer_) observer_->beforeRemove(row);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row - 1));
    if (observer_) observer_->afterRemove();
}

void InputList::clear() {
    if (observer_) observer_->beforeReset();
    rows_.clear();
    rows_.shrink_to_fit();
    if (observer_) observer_->afterReset();
}

}  // namespace tessaly
