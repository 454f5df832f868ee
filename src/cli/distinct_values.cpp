#include "distinct_values.h"

#include <cstring>
#include <random>
#include <stdexcept>
#include <vector>

#include "short_bytes.h"

namespace tessaly::cli {

namespace {

// The two odd multipliers of a well-tried 64-bit finaliser: each input bit changes about half
// the output bits, so values that differ in one digit land far apart in the table.
constexpr std::uint64_t kMixFirst = 0xff51afd7ed558ccdULL;
constexpr std::uint64_t kMixSecond = 0xc4ceb9fe1a85ec53ULL;
// 2^64 divided by the golden ratio: spreads the last word of a value over all 64 bits before it
// meets the first, so two overlapping words that hold the same bytes do not cancel.
constexpr std::uint64_t kGoldenSpread = 0x9E3779B97F4A7C15ULL;

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= kMixFirst;
    h ^= h >> 33;
    h *= kMixSecond;
    return h ^ (h >> 33);
}

// Records stand at multiples of 4 bytes, so a slot's 32 bits reach 16 GB of them.
constexpr std::size_t kMaxText = std::size_t{4} * (UINT32_MAX - 1);
// Slots past the last home, to begin with; runs that reach further get more.
constexpr std::size_t kRoomPast = 1024;

std::uint64_t Word(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

std::uint32_t HalfWord(const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}

}  // namespace

// The seed differs from run to run, so no input can be made to crowd the table's slots.
DistinctValues::DistinctValues()
    : seed_(std::random_device{}() | std::uint64_t{std::random_device{}()} << 32), mask_(1023) {
    moreSlots(mask_ + 1 + kRoomPast);
}

// Values are mostly 5 to 21 bytes: up to 16 are taken as two words that may overlap (the
// length, mixed in, tells them apart), longer ones a word at a time.
std::uint64_t DistinctValues::hashOf(std::string_view value) const {
    const char* const p = value.data();
    const std::size_t n = value.size();
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (n >= 8) {
        first = Word(p);
        last = Word(p + n - 8);
    } else if (n >= 4) {
        first = HalfWord(p) | std::uint64_t{HalfWord(p + n - 4)} << 32;
    } else {
        for (std::size_t i = 0; i < n; ++i)
            first = first << 8 | static_cast<unsigned char>(p[i]);
    }
    std::uint64_t h = Mix(seed_ ^ n ^ first ^ (last * kGoldenSpread));
    for (std::size_t i = 8; i + 8 < n; i += 8)
        h = Mix(h ^ Word(p + i));
    return h;
}

void DistinctValues::countAgain(std::size_t at) {
    if (at < fileMark_) {
        const std::size_t unit = at / 4;
        std::uint64_t& word = fileTouched_[unit / 64];
        const std::uint64_t bit = std::uint64_t{1} << (unit % 64);
        if (!(word & bit)) {
            word |= bit;
            fileJournal_.push_back({at, countAt(at)});
        }
    }
    char* const p = textBlock_.data() + at;
    std::uint32_t count;
    std::memcpy(&count, p, 4);
    if (count == UINT32_MAX) {
        ++largeCounts_[at];
        return;
    }
    if (++count == UINT32_MAX) largeCounts_[at] = count;
    std::memcpy(p, &count, 4);
}

bool DistinctValues::settle(std::string_view value, std::uint64_t hash) {
    const auto low = std::uint32_t(hash);
    for (std::size_t i = low & mask_;; ++i) {
        if (i == limit_) moreSlots(limit_ + kRoomPast);
        Slot& slot = table()[i];
        if (slot.record == 0) {
            const std::size_t at = textSize_;
            const std::size_t head = value.size() < kLongValue ? 5 : 9;
            const std::size_t next = (at + head + value.size() + 3) & ~std::size_t{3};
            if (value.size() > UINT32_MAX || next > kMaxText) {
                throw std::length_error("too many distinct values");
            }
            if (next > textBlock_.size()) textBlock_.growTo(next);
            char* const record = textBlock_.data() + at;
            const std::uint32_t one = 1;
            std::memcpy(record, &one, 4);
            if (head == 5) {
                record[4] = char(value.size());
            } else {
                const auto length = std::uint32_t(value.size());
                record[4] = char(kLongValue);
                std::memcpy(record + 5, &length, 4);
            }
            CopyShort(record + head, value.data(), value.size());
            textSize_ = next;
            slot = {low, std::uint32_t(at / 4 + 1)};
            if (i >= reach_) reach_ = i + 1;
            if (++used_ * 4 > (mask_ + 1) * 3) grow();
            return true;
        }
        if (slot.hash == low) {
            const std::size_t at = (std::size_t(slot.record) - 1) * 4;
            const std::string_view found = valueAt(at);
            if (found.size() == value.size() &&
                SameShort(found.data(), value.data(), value.size())) {
                countAgain(at);
                return false;
            }
        }
    }
}

inline void DistinctValues::place(Slot slot) {
    std::size_t i = slot.hash & mask_;
    Slot* t = table();
    for (; t[i].record != 0; ++i) {
        if (i + 1 == limit_) {
            moreSlots(limit_ + kRoomPast);
            t = table();
        }
    }
    t[i] = slot;
    if (i >= reach_) reach_ = i + 1;
}

void DistinctValues::moreSlots(std::size_t slots) {
    slotBlock_.growTo(slots * sizeof(Slot));
    limit_ = slotBlock_.size() / sizeof(Slot);
}

// Four times the homes while the slots are few enough, twice beyond, in the same block. A slot's
// new home is its old one or that plus a multiple of the old number of homes. The slots past the
// old homes are set aside and the others taken in order: each one's run from its new home passes
// only slots already taken (every slot before it in the old homes) or slots past the old homes
// (where only slots of this pass stand), so no slot is ever moved past the reach of another
// one's run; the ones set aside are placed last.
void DistinctValues::grow() {
    const std::size_t homes = mask_ + 1;
    const std::size_t factor = homes < fourfoldBelow_ ? 4 : 2;
    std::vector<Slot> aside;
    for (std::size_t k = homes; k < reach_; ++k) {
        Slot& slot = table()[k];
        if (slot.record == 0) continue;
        aside.push_back(slot);
        slot = {};
    }
    if (limit_ < factor * homes + kRoomPast) moreSlots(factor * homes + kRoomPast);
    mask_ = factor * homes - 1;
    reach_ = 0;
    for (std::size_t k = 0; k < homes; ++k) {
        const Slot slot = table()[k];
        if (slot.record == 0) continue;
        table()[k] = {};
        place(slot);
    }
    for (const Slot& slot : aside)
        place(slot);
}

bool DistinctValues::add(std::string_view value) {
    drain();
    return settle(value, hashOf(value));
}

void DistinctValues::count(std::string_view value) {
    if (value.size() > sizeof(Waiting::bytes)) {
        add(value);
        return;
    }
    if (waitingCount_ == kWaiting) {
        const Waiting& w = waiting_[waitingFrom_];
        settle(std::string_view(w.bytes, w.size), w.hash);
        waitingFrom_ = (waitingFrom_ + 1) % kWaiting;
        --waitingCount_;
    }
    Waiting& w = waiting_[(waitingFrom_ + waitingCount_) % kWaiting];
    w.hash = hashOf(value);
    w.size = std::uint8_t(value.size());
    CopyShort(w.bytes, value.data(), value.size());
    ++waitingCount_;
    __builtin_prefetch(&table()[w.hash & mask_]);
}

void DistinctValues::drain() {
    for (; waitingCount_ > 0; --waitingCount_) {
        const Waiting& w = waiting_[waitingFrom_];
        settle(std::string_view(w.bytes, w.size), w.hash);
        waitingFrom_ = (waitingFrom_ + 1) % kWaiting;
    }
}

std::size_t DistinctValues::mark() {
    drain();
    return textSize_;
}

void DistinctValues::forgetSince(std::size_t mark) {
    drain();
    Slot* const slot = table();
    for (std::size_t at = mark; at < textSize_; at = nextRecord(at)) {
        const auto record = std::uint32_t(at / 4 + 1);
        std::size_t i = hashOf(valueAt(at)) & mask_;
        while (slot[i].record != record)
            ++i;
        // Later slots of the same run move back into the gap when their home is at or before
        // it, so every value stays reachable from its home slot.
        for (std::size_t next = i + 1; next < reach_ && slot[next].record != 0; ++next) {
            if ((slot[next].hash & mask_) <= i) {
                slot[i] = slot[next];
                i = next;
            }
        }
        slot[i] = {};
        --used_;
    }
    largeCounts_.erase(largeCounts_.lower_bound(mark), largeCounts_.end());
    textSize_ = mark;
}

void DistinctValues::setCount(std::size_t at, std::uint64_t count) {
    const auto low = std::uint32_t(count < UINT32_MAX ? count : UINT32_MAX);
    std::memcpy(textBlock_.data() + at, &low, 4);
    if (count < UINT32_MAX) {
        largeCounts_.erase(at);
    } else {
        largeCounts_[at] = count;
    }
}

void DistinctValues::endFile() {
    for (const Counted& c : fileJournal_) {
        const std::size_t unit = c.at / 4;
        fileTouched_[unit / 64] &= ~(std::uint64_t{1} << (unit % 64));
    }
    fileJournal_.clear();
}

void DistinctValues::startFile() {
    drain();
    endFile();
    fileMark_ = textSize_;
    const std::size_t words = fileMark_ / 4 / 64 + 1;
    if (fileTouched_.size() < words) fileTouched_.resize(words);
}

void DistinctValues::forgetFile() {
    drain();
    for (const Counted& c : fileJournal_)
        setCount(c.at, c.count);
    endFile();
    forgetSince(fileMark_);
}

}  // namespace tessaly::cli
