#pragma once
// DistinctValues: the values tessaly-extract has written, for --unique and --count: each
// distinct value once, in the order it was first found, with how often it was found. A run can
// meet millions of distinct numbers, and every byte of a table that size costs time to bring
// into memory, so the table is compact:
// - the values stand one after another in one block, in the order they were first found, each a
//   record of its count (32 bits; the rare larger count is kept aside), its length and its
//   bytes;
// - an open table of 8-byte slots (hash and record, linear probing, at most three quarters
//   full) finds them. A run of slots that passes the last home slot goes on into room after it
//   instead of wrapping round to the first, so the table grows where it stands: every slot
//   keeps its home or moves whole tables further, and no second table is ever needed;
// - counting needs no answer at once, so the lookups of several values overlap the fetch of
//   their slots from memory.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string_view>
#include <vector>

#include "page_block.h"

namespace tessaly::cli {

class DistinctValues {
  public:
    DistinctValues();

    // One finding of `value`: true when it was not found before.
    bool add(std::string_view value);
    // The same when the answer is not needed: the values wait in a short queue while their
    // slots are fetched.
    void count(std::string_view value);

    // Where the values added from now on begin; forgetSince(mark) forgets them all again (a file
    // that failed part-way gives no values).
    std::size_t mark();
    void forgetSince(std::size_t mark);

    // The findings from now on are one file's: forgetFile() takes them all back, the values
    // first found since and the counts of those found before, as if the file had never been
    // read. Each value found before costs a journal entry the first time the file finds it.
    void startFile();
    void forgetFile();

    // Calls `each(value, count)` for every distinct value, in the order they were first found.
    template <class Each>
    void forEach(Each&& each) {
        drain();
        for (std::size_t at = 0; at < textSize_; at = nextRecord(at))
            each(valueAt(at), countAt(at));
    }

  private:
    struct Slot {
        std::uint32_t hash;    // the low half of the value's hash: its home is hash & mask_
        std::uint32_t record;  // 1 + the record's offset in 4-byte units; 0: empty
    };
    struct Waiting {
        std::uint64_t hash;
        std::uint8_t size;
        char bytes[23];
    };
    static constexpr std::size_t kWaiting = 16;
    // A record is its count (32 bits), then the value's length in one byte (kLongValue: in the
    // 32 bits after it) and the value's bytes.
    static constexpr unsigned char kLongValue = 255;

    Slot* table() const { return reinterpret_cast<Slot*>(slotBlock_.data()); }
    std::uint64_t hashOf(std::string_view value) const;
    std::string_view valueAt(std::size_t at) const {
        const char* const record = textBlock_.data() + at;
        const auto length = static_cast<unsigned char>(record[4]);
        if (length < kLongValue) return {record + 5, length};
        std::uint32_t longLength;
        std::memcpy(&longLength, record + 5, 4);
        return {record + 9, longLength};
    }
    std::uint64_t countAt(std::size_t at) const {
        std::uint32_t count;
        std::memcpy(&count, textBlock_.data() + at, 4);
        return count == UINT32_MAX ? largeCounts_.at(at) : count;
    }
    std::size_t nextRecord(std::size_t at) const {
        const std::string_view value = valueAt(at);
        return std::size_t(value.data() + value.size() - textBlock_.data() + 3) & ~std::size_t{3};
    }
    // Finds or enters `value`; true when it is new.
    bool settle(std::string_view value, std::uint64_t hash);
    void countAgain(std::size_t at);
    void setCount(std::size_t at, std::uint64_t count);
    void endFile();
    // Puts `slot` in the first free slot from its home on.
    void place(Slot slot);
    void moreSlots(std::size_t slots);
    void grow();
    void drain();

    std::uint64_t seed_;
    PageBlock slotBlock_;
    std::size_t mask_;  // home slots - 1 (a power of two)
    // Each growth moves every slot, and a run that meets millions of distinct values spends more
    // on those moves than on the values themselves: below 4 M homes (32 MB of slots) the table
    // grows fourfold, which moves a third as many; past them it doubles, so a large table keeps
    // at least three values in every eight slots (at most 22 bytes of slots a value).
    std::size_t fourfoldBelow_ = std::size_t{1} << 22;
    std::size_t limit_ = 0;  // slots the block holds: the homes and room past them
    std::size_t reach_ = 0;  // past the last slot that was ever filled
    std::size_t used_ = 0;   // slots in use
    PageBlock textBlock_;    // the records, each at a multiple of 4 bytes
    std::size_t textSize_ = 0;
    std::map<std::size_t, std::uint64_t> largeCounts_;  // by record, where 32 bits are too few
    Waiting waiting_[kWaiting];
    std::size_t waitingFrom_ = 0;
    std::size_t waitingCount_ = 0;
    // The file begun last: where its values begin, the records before that it counted (a bit a
    // record, by offset / 4) and their counts before it.
    struct Counted {
        std::size_t at;
        std::uint64_t count;
    };
    std::size_t fileMark_ = 0;
    std::vector<std::uint64_t> fileTouched_;
    std::vector<Counted> fileJournal_;

    friend struct DistinctValuesSeam;  // tests reach counts past 32 bits and doubling through it
};

}  // namespace tessaly::cli
