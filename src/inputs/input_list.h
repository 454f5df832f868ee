#pragma once
// InputList: the files of the next extraction run, one row each, in the order they were added.
// A row holds the file's name exactly as the adder produced it: bytes, as names are on this
// platform, so a name that is no valid UTF-8 still reaches the file it names. Rows are addressed
// from 1 in display order, like the list that shows them; the same path may stand in many rows.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

// Told before and after every change, so a view over the list stays in step with it.
class InputListObserver {
  public:
    virtual ~InputListObserver() = default;
    virtual void beforeAppend(std::size_t firstRow, std::size_t count) = 0;
    virtual void afterAppend() = 0;
    virtual void beforeRemove(std::size_t row) = 0;
    virtual void afterRemove() = 0;
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    virtual void rowChanged(std::size_t row) = 0;
};

class InputList {
  public:
    void setObserver(InputListObserver* observer) { observer_ = observer; }

    std::size_t count() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    // Row `row` (1-based); throws std::out_of_range when it does not exist.
    const std::string& at(std::size_t row) const;

    void append(std::string path);
    void append(std::span<const std::string> paths);
    // Replaces the text of an existing row.
    void setText(std::size_t row, std::string path);
    // Removes an existing row; the rows below move up by one.
    void removeAt(std::size_t row);
    void clear();

    std::span<const std::string> rows() const { return rows_; }

  private:
    std::vector<std::string> rows_;
    InputListObserver* observer_ = nullptr;
};

}  // namespace tessaly
