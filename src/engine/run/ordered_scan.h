#pragma once
// engine/run: files to numbers, for the extractor and the window. FileNumberScan and
// WrittenFileScan stream one file through engine/text and engine/scan a piece at a time;
// ScanFilesInOrder (here) runs them on several threads and delivers their numbers in file order
// (ordered_delivery.h); ExtractionRun is the window's run over its input list, appending to the
// result list through RunHost, paced by YieldPacer and guarded by the error trap (error_report.h);
// ScanAhead opens and scans its files on a second thread while it takes their numbers.
//
// ScanFilesInOrder: many files scanned on several threads, their numbers delivered on the
// calling thread in file order, so the result never depends on the number of threads. The
// paths are asked for one at a time as threads become free, at most a few files ahead. The
// file at the head of the order is delivered while it is being scanned; pieces of files ahead
// of it are held back, at most kHeldBytes of their numbers in all, so memory stays bounded whatever
// the number of files, their sizes or the pace at which the numbers are taken
// (ordered_delivery.h).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "number_stream.h"
#include "ordered_delivery.h"
#include "phone_number.h"
#include "scan_rules.h"
#include "text_places.h"
#include "written_number_stream.h"

namespace tessaly {

// The path of the next file to scan, nothing once all were given. Asked as the scan needs
// work, on one thread at a time (not necessarily the calling one), so the paths can be found
// while the files are scanned instead of all before.
using NextPath = std::function<std::optional<std::string>()>;

// What a piece of a file gave: its numbers (the rules' lengths only), in the order they stand
// in the file, and when the rules ask for them, the 1-based line and the written text of each.
struct ScanBatch {
    std::vector<PhoneNumber> numbers;
    std::vector<std::size_t> lines;
    NumberTexts texts;
    // With ScanRules::places, where in a document the numbers stand.
    NumberPlaces places;
    // With ScanRules::digitLines, the numbers as digit lines instead (`numbers` stays empty;
    // `lines` holds their lines when the rules ask for them).
    DigitLines digitLines;
};

struct OrderedScanEvents {
    // File `index` comes next, read from `path`: called once for every file, before anything
    // else of it. May be left empty.
    std::function<void(std::size_t index, const std::string& path)> file;
    // The numbers of file `index`, a piece at a time.
    std::function<void(std::size_t index, const ScanBatch& batch)> numbers;
    // File `index` could not be read (numbers found before a failure were delivered).
    std::function<void(std::size_t index, const std::string& description)> failure;
    // File `index` is not text nor a document that is read (ScanRules::documents), and was
    // skipped: `notice` says so. Left empty, a skipped file is a failure.
    std::function<void(std::size_t index, const std::string& notice)> skipped;
    // Asked after each delivery when set: true ends the scan there, nothing more is delivered.
    std::function<bool()> stop;
};

void ScanFilesInOrder(const NextPath& next, const ScanRules& rules, unsigned jobs,
                      const OrderedScanEvents& events);

// The same for the numbers read as written (ScanRules::readsWritten).
struct WrittenScanEvents {
    std::function<void(std::size_t index, const std::string& path)> file;
    std::function<void(std::size_t index, const std::vector<WrittenNumber>& numbers)> numbers;
    std::function<void(std::size_t index, const std::string& description)> failure;
    std::function<void(std::size_t index, const std::string& notice)> skipped;
    std::function<bool()> stop;
    // When set, called with each piece's numbers on the thread that scanned them, before they
    // are delivered: a stage that judges or rewrites numbers runs on as many threads as the
    // scan (so it is called from several threads at once). What it throws fails the file.
    std::function<void(std::vector<WrittenNumber>& numbers)> refine;
};

void ScanWrittenInOrder(const NextPath& next, const ScanRules& rules, unsigned jobs,
                        const WrittenScanEvents& events);

}  // namespace tessaly
