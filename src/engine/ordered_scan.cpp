#include "ordered_scan.h"

#include <exception>
#include <optional>

#include "error_report.h"
#include "file_number_scan.h"
#include "ordered_delivery.h"
#include "written_file_scan.h"

namespace tessaly {

namespace {

// Scans one file with `Scan`, handing each piece's numbers to `deliver`, which returns false to
// end the scan early; returns the failure, if any.
template <class Scan, class Found, class Next, class Deliver>
std::optional<std::string> ScanOne(const std::string& path, const ScanRules& rules, Next&& next,
                                   Deliver&& deliver) {
    try {
        Scan scan(path, rules);
        for (bool more = true; more;) {
            Found found;
            more = next(scan, found);
            if (!found.empty() && !deliver(std::move(found))) break;
        }
        return std::nullopt;
    } catch (...) {
        return DescribeFailure(std::current_exception());
    }
}

}  // namespace

void ScanFilesInOrder(const std::vector<std::string>& paths, const ScanRules& rules, unsigned jobs,
                      const OrderedScanEvents& events) {
    struct Found : ScanBatch {
        bool empty() const { return numbers.empty(); }
    };
    DeliverInOrder<Found>(
        paths.size(), jobs,
        [&](std::size_t i, auto&& deliver) {
            return ScanOne<FileNumberScan, Found>(
                paths[i], rules,
                [](FileNumberScan& scan, Found& f) {
                    return scan.next(f.numbers, &f.lines, &f.texts);
                },
                deliver);
        },
        [&](std::size_t index, const Found& batch) { events.numbers(index, batch); },
        events.failure, [&] { return events.stop && events.stop(); });
}

void ScanWrittenInOrder(const std::vector<std::string>& paths, const ScanRules& rules,
                        unsigned jobs, const WrittenScanEvents& events) {
    using Found = std::vector<WrittenNumber>;
    DeliverInOrder<Found>(
        paths.size(), jobs,
        [&](std::size_t i, auto&& deliver) {
            return ScanOne<WrittenFileScan, Found>(
                paths[i], rules, [](WrittenFileScan& scan, Found& f) { return scan.next(f); },
                deliver);
        },
        events.numbers, events.failure, [&] { return events.stop && events.stop(); });
}

}  // namespace tessaly
