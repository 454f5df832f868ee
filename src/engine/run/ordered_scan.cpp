#include "ordered_scan.h"

#include <exception>
#include <optional>

#include "document_text.h"
#include "error_report.h"
#include "file_number_scan.h"
#include "ordered_delivery.h"
#include "written_file_scan.h"

namespace tessaly {

namespace {

// The pieces of `path` whose numbers are handed over together: handing a batch to another
// thread costs about as much as scanning a piece. Standard input may be a pipe whose next piece
// comes much later, so its numbers go on at once.
int PiecesPerBatch(const std::string& path) {
    return path == "-" ? 1 : 8;
}

// Scans `path`, which `open` opens, handing the numbers of every few pieces to `deliver`, which
// returns false to end the scan early; returns the failure, if any.
template <class Found, class Open, class Next, class Deliver>
std::optional<std::string> ScanOne(const std::string& path, Open&& open, Next&& next,
                                   Deliver&& deliver) {
    const int piecesPerBatch = PiecesPerBatch(path);
    try {
        auto scan = open();
        // One batch for the whole file: where it is handed over without being taken (a single
        // job), its room is used again by the next pieces.
        Found found;
        for (int pieces = 1;; ++pieces) {
            bool more;
            try {
                more = next(scan, found);
            } catch (...) {
                // A read fails before its piece is scanned: the pieces before it are delivered.
                if (!found.empty()) deliver(std::move(found));
                throw;
            }
            if (more && pieces % piecesPerBatch != 0) continue;
            if (!found.empty() && !deliver(std::move(found))) break;
            if (!more) break;
            found.clear();
        }
        return std::nullopt;
    } catch (...) {
        return DescribeFailure(std::current_exception());
    }
}

// A failure goes to the caller's failure event, a skipped file to its skipped event when it has
// one.
template <class Events>
auto Fail(const Events& events) {
    return [&events](std::size_t index, const std::string& description) {
        if (events.skipped && IsSkippedNotice(description)) {
            events.skipped(index, description);
        } else {
            events.failure(index, description);
        }
    };
}

// Each file begins with the caller's event, when it gave one.
template <class Events>
auto Begin(const Events& events) {
    return [&events](std::size_t index, const std::string& path) {
        if (events.file) events.file(index, path);
    };
}

}  // namespace

void ScanFilesInOrder(const NextPath& next, const ScanRules& rules, unsigned jobs,
                      const OrderedScanEvents& events) {
    struct Found : ScanBatch {
        bool empty() const { return numbers.empty() && digitLines.empty(); }
        std::size_t heldBytes() const {
            std::size_t bytes = sizeof(Found) + numbers.capacity() * sizeof(PhoneNumber) +
                                lines.capacity() * sizeof(std::size_t) + texts.bytes.capacity() +
                                texts.ends.capacity() * sizeof(std::size_t) +
                                places.runs.capacity() * sizeof(NumberPlaces::Run) +
                                digitLines.capacity();
            for (const NumberPlaces::Run& run : places.runs)
                bytes += run.where.capacity();
            return bytes;
        }
        void clear() {
            numbers.clear();
            lines.clear();
            texts.clear();
            places.clear();
            digitLines.clear();
        }
    };
    DeliverInOrder<Found>(
        jobs, next,
        [&](const std::string& path, auto&& deliver) {
            // Each worker reads every file it scans into the same buffer.
            thread_local ReadBuffer buffer;
            return ScanOne<Found>(
                path,
                [&] {
                    return FileNumberScan(path, rules, FileNumberScan::kDefaultChunkSize, &buffer);
                },
                [&](FileNumberScan& scan, Found& f) {
                    return rules.digitLines ? scan.nextLines(f.digitLines, &f.lines)
                                            : scan.next(f.numbers, &f.lines, &f.texts, &f.places);
                },
                deliver);
        },
        Begin(events), [&](std::size_t index, const Found& batch) { events.numbers(index, batch); },
        Fail(events), [&] { return events.stop && events.stop(); });
}

void ScanWrittenInOrder(const NextPath& next, const ScanRules& rules, unsigned jobs,
                        const WrittenScanEvents& events) {
    struct Found : std::vector<WrittenNumber> {
        std::size_t heldBytes() const {
            std::size_t bytes = sizeof(Found) + capacity() * sizeof(WrittenNumber);
            for (const WrittenNumber& n : *this) {
                bytes += n.value.capacity() + n.where.capacity() + n.jsonMembers.capacity() +
                         2 * (n.text.capacity() + n.before.capacity() + n.after.capacity());
            }
            return bytes;
        }
    };
    DeliverInOrder<Found>(
        jobs, next,
        [&](const std::string& path, auto&& deliver) {
            return ScanOne<Found>(
                path, [&] { return WrittenFileScan(path, rules); },
                [&](WrittenFileScan& scan, Found& f) {
                    const bool more = scan.next(f);
                    if (events.refine && !f.empty()) events.refine(f);
                    return more;
                },
                deliver);
        },
        Begin(events), events.numbers, Fail(events), [&] { return events.stop && events.stop(); });
}

}  // namespace tessaly
