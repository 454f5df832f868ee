#pragma once
// ResultList: the found numbers, one row each, in the order the runs appended them, each with
// where it was found. Rows are addressed from 1 in display order, like the list that shows them.
// Compact: a row is one PhoneNumber and a RowSource (a file's place in a table of the files the
// rows came from, and a line), with no allocation of its own, so ten million rows stay a few
// hundred MB. The table grows by one entry per file that gave numbers, and empties with the list.
// Rows are held in small blocks rather than one array: a growing array copies every row it
// holds, onto memory the system must first hand out, each time it outgrows its room, and a run
// that finds millions of numbers spent a fifth of its time on that.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "found_numbers.h"
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

// Where a row was found: the file's index in the list's table of files (kNoFile: not known) and
// the line, kept as two halves so that a row's source takes twelve bytes.
class RowSource {
  public:
    static constexpr std::uint32_t kNoFile = 0xFFFFFFFFu;

    RowSource() = default;
    RowSource(std::uint32_t file, std::uint64_t line)
        : file_(file),
          lineLow_(static_cast<std::uint32_t>(line)),
          lineHigh_(static_cast<std::uint32_t>(line >> 32)) {}

    std::uint32_t file() const { return file_; }
    std::uint64_t line() const { return std::uint64_t{lineHigh_} << 32 | lineLow_; }

  private:
    std::uint32_t file_ = kNoFile;
    std::uint32_t lineLow_ = 0;
    std::uint32_t lineHigh_ = 0;
};

// A row's source as its readers see it, valid until the list next changes.
struct ResultSource {
    const SourceFile* file = nullptr;  // nothing when the row's file is not known
    std::uint64_t line = kUnknownLine;
};

class ResultList {
  public:
    using Rows = std::deque<PhoneNumber>;

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

    // Where row `row` (1-based) was found; throws like at().
    ResultSource sourceAt(std::size_t row) const {
        at(row);
        const RowSource& s = sources_[row - 1];
        return {s.file() == RowSource::kNoFile ? nullptr : &files_[s.file()], s.line()};
    }

    // Numbers whose source is not known.
    void append(const PhoneNumber& number) { append(std::span<const PhoneNumber>(&number, 1)); }
    void append(std::span<const PhoneNumber> numbers) {
        if (numbers.empty()) return;
        if (observer_) observer_->beforeAppend(rows_.size() + 1, numbers.size());
        rows_.insert(rows_.end(), numbers.begin(), numbers.end());
        sources_.resize(rows_.size());
        if (observer_) observer_->afterAppend();
    }
    // Numbers found by a run, each with its file and line.
    void append(const FoundNumbers& found) {
        if (found.empty()) return;
        if (observer_) observer_->beforeAppend(rows_.size() + 1, found.numbers.size());
        rows_.insert(rows_.end(), found.numbers.begin(), found.numbers.end());
        for (std::size_t f = 0; f < found.files.size(); ++f) {
            const std::uint32_t file = fileIndex(found.files[f].file);
            const std::size_t end =
                f + 1 < found.files.size() ? found.files[f + 1].first : found.numbers.size();
            for (std::size_t i = found.files[f].first; i < end; ++i)
                sources_.emplace_back(file, found.lines[i]);
        }
        sources_.resize(rows_.size());  // numbers before the first file: not known
        if (observer_) observer_->afterAppend();
    }
    void removeAt(std::size_t row) {
        at(row);
        if (observer_) observer_->beforeRemove(row, 1);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row - 1));
        sources_.erase(sources_.begin() + static_cast<std::ptrdiff_t>(row - 1));
        ++generation_;
        if (observer_) observer_->afterRemove();
    }
    // Removes the last `count` rows (all of them when there are fewer).
    void removeLast(std::size_t count) {
        count = std::min(count, rows_.size());
        if (count == 0) return;
        if (observer_) observer_->beforeRemove(rows_.size() - count + 1, count);
        rows_.resize(rows_.size() - count);
        sources_.resize(rows_.size());
        ++generation_;
        if (observer_) observer_->afterRemove();
    }
    void clear() {
        if (observer_) observer_->beforeReset();
        rows_.clear();
        rows_.shrink_to_fit();
        sources_.clear();
        sources_.shrink_to_fit();
        files_.clear();
        files_.shrink_to_fit();
        ++generation_;
        if (observer_) observer_->afterReset();
    }

    // All rows, in order, for readers that walk them without yielding.
    const Rows& rows() const { return rows_; }
    // Keeps row i + 1 where keep[i] is true (keep holds one value per row), each with its own
    // source, in order; the others go.
    void retain(const std::vector<bool>& keep) {
        if (observer_) observer_->beforeReset();
        std::size_t kept = 0;
        auto row = rows_.begin(), keptRow = row;
        auto source = sources_.begin(), keptSource = source;
        for (std::size_t i = 0; i < rows_.size(); ++i, ++row, ++source) {
            if (!keep[i]) continue;
            *keptRow++ = *row;
            *keptSource++ = *source;
            ++kept;
        }
        // The blocks of the removed rows are given back.
        rows_.resize(kept);
        rows_.shrink_to_fit();
        sources_.resize(kept);
        sources_.shrink_to_fit();
        ++generation_;
        if (observer_) observer_->afterReset();
    }

  private:
    // The file's place in the table; a run's numbers of one file, handed over in several
    // batches, share one entry.
    std::uint32_t fileIndex(const SourceFile& file) {
        if (files_.empty() || !(files_.back() == file)) {
            if (files_.size() >= RowSource::kNoFile) throw std::length_error("Too many files");
            files_.push_back(file);
        }
        return static_cast<std::uint32_t>(files_.size() - 1);
    }

    Rows rows_;
    std::deque<RowSource> sources_;  // one per row
    std::vector<SourceFile> files_;
    ResultListObserver* observer_ = nullptr;
    std::uint64_t generation_ = 0;
};

}  // namespace tessaly
