#include "distinct_values.h"

#include <cstring>
#include <random>
#include <stdexcept>

namespace tessaly::cli {

namespace {

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

// Records stand at multiples of 8 bytes, so a slot's 32 bits reach 32 GB of them.
constexpr std::size_t kMaxText = std::size_t{8} * UINT32_MAX;

}  // namespace

// The seed differs from run to run, so no input can be made to crowd the table's slots.
DistinctValues::DistinctValues()
    : seed_(std::random_device{}() | std::uint64_t{std::random_device{}()} << 32), mask_(1023) {
    slotBlock_.growTo((mask_ + 1) * sizeof(Slot));
}

// Values are mostly 5 to 21 bytes: up to 16 are taken as two words that may overlap (the
// length, mixed in, tells them apart), longer ones a word at a time.
std::uint64_t DistinctValues::hashOf(std::string_view value) const {
    const char* const p = value.data();
    const std::size_t n = value.size();
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (n >= 8) {
        std::memcpy(&first, p, 8);
        std::memcpy(&last, p + n - 8, 8);
    } else {
        std::memcpy(&first, p, n);
    }
    std::uint64_t h = Mix(seed_ ^ n ^ first ^ (last * 0x9E3779B97F4A7C15ULL));
    for (std::size_t i = 8; i + 8 < n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        h = Mix(h ^ word);
    }
    return h;
}

std::string_view DistinctValues::valueAt(std::size_t at) const {
    std::uint32_t length;
    std::memcpy(&length, textBlock_.data() + at + 8, 4);
    return {textBlock_.data() + at + kHeader, length};
}

std::uint64_t DistinctValues::countAt(std::size_t at) const {
    std::uint64_t count;
    std::memcpy(&count, textBlock_.data() + at, 8);
    return count;
}

std::size_t DistinctValues::nextRecord(std::size_t at) const {
    return (at + kHeader + valueAt(at).size() + 7) & ~std::size_t{7};
}

bool DistinctValues::settle(std::string_view value, std::uint64_t hash) {
    const auto low = std::uint32_t(hash);
    for (std::size_t i = low & mask_;; i = (i + 1) & mask_) {
        Slot& slot = table()[i];
        if (slot.record == 0) {
            const std::size_t at = textSize_;
            const std::size_t next = (at + kHeader + value.size() + 7) & ~std::size_t{7};
            if (value.size() > UINT32_MAX || next > kMaxText) {
                throw std::length_error("too many distinct values");
            }
            textBlock_.growTo(next);
            char* const record = textBlock_.data() + at;
            const std::uint64_t one = 1;
            const auto length = std::uint32_t(value.size());
            std::memcpy(record, &one, 8);
            std::memcpy(record + 8, &length, 4);
            std::memcpy(record + kHeader, value.data(), value.size());
            textSize_ = next;
            slot = {low, std::uint32_t(at / 8 + 1)};
            if (++used_ * 4 > (mask_ + 1) * 3) grow();
            return true;
        }
        const std::size_t at = (std::size_t(slot.record) - 1) * 8;
        if (slot.hash == low && valueAt(at) == value) {
            char* const count = textBlock_.data() + at;
            std::uint64_t n;
            std::memcpy(&n, count, 8);
            ++n;
            std::memcpy(count, &n, 8);
            return false;
        }
    }
}

// Twice the slots. A slot's home is its hash's low bits, which the slot keeps, so the slots
// are read in their order and each lands near its old place or near that plus the old size:
// the new table is written almost in order, never a value read.
void DistinctValues::grow() {
    PageBlock old = std::move(slotBlock_);
    const Slot* const oldSlots = reinterpret_cast<const Slot*>(old.data());
    const std::size_t oldCount = mask_ + 1;
    slotBlock_.growTo(2 * oldCount * sizeof(Slot));
    mask_ = 2 * oldCount - 1;
    for (std::size_t k = 0; k < oldCount; ++k) {
        const Slot& slot = oldSlots[k];
        if (slot.record == 0) continue;
        std::size_t i = slot.hash & mask_;
        while (table()[i].record != 0)
            i = (i + 1) & mask_;
        table()[i] = slot;
    }
}

bool DistinctValues::add(std::string_view value) {
    drain();
    return settle(value, hashOf(value));
}

void DistinctValues::count(std::string_view value) {
    const std::uint64_t hash = hashOf(value);
    if (value.size() > sizeof(Waiting::bytes)) {
        drain();
        settle(value, hash);
        return;
    }
    if (waitingCount_ == kWaiting) {
        const Waiting& w = waiting_[waitingFrom_];
        settle(std::string_view(w.bytes, w.size), w.hash);
        waitingFrom_ = (waitingFrom_ + 1) % kWaiting;
        --waitingCount_;
    }
    Waiting& w = waiting_[(waitingFrom_ + waitingCount_) % kWaiting];
    w.hash = hash;
    w.size = std::uint8_t(value.size());
    std::memcpy(w.bytes, value.data(), value.size());
    ++waitingCount_;
    __builtin_prefetch(&table()[hash & mask_]);
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
        const auto record = std::uint32_t(at / 8 + 1);
        std::size_t i = hashOf(valueAt(at)) & mask_;
        while (slot[i].record != record)
            i = (i + 1) & mask_;
        // Later slots of the same run move back into the gap when their home is at or before
        // it, so every value stays reachable from its home slot.
        for (std::size_t next = (i + 1) & mask_; slot[next].record != 0;
             next = (next + 1) & mask_) {
            const std::size_t home = slot[next].hash & mask_;
            if (((next - home) & mask_) >= ((next - i) & mask_)) {
                slot[i] = slot[next];
                i = next;
            }
        }
        slot[i] = {};
        --used_;
    }
    textSize_ = mark;
}

}  // namespace tessaly::cli
