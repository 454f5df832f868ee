#pragma once
// ScanFilesInOrder: many files scanned on several threads, their numbers delivered on the
// calling thread in file order, so the result never depends on the number of threads. The
// file at the head of the order is delivered while it is being scanned; pieces of files ahead
// of it are held back, at most kPiecesInFlight of them in all, so memory stays bounded whatever
// the number of files, their sizes or the pace at which the numbers are taken.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "phone_number.h"
#include "scan_rules.h"

namespace tessaly {

struct OrderedScanEvents {
    // Numbers of file `index` (the rules' lengths only), in the order they stand in the file.
    std::function<void(std::size_t index, const std::vector<PhoneNumber>& numbers)> numbers;
    // Only when the rules ask for line numbers, right after each `numbers` call: the 1-based
    // line of each of those numbers, in the same order. May be left empty.
    std::function<void(std::size_t index, const std::vector<std::size_t>& lines)> lines;
    // File `index` could not be read (numbers found before a failure were delivered).
    std::function<void(std::size_t index, const std::string& description)> failure;
    // Asked after each delivery when set: true ends the scan there, nothing more is delivered.
    std::function<bool()> stop;
};

// Pieces scanned and not yet delivered, all files together (one more for the head file).
inline constexpr std::size_t kPiecesInFlight = 16;

void ScanFilesInOrder(const std::vector<std::string>& paths, const ScanRules& rules, unsigned jobs,
                      const OrderedScanEvents& events);

}  // namespace tessaly
