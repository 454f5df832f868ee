#include "sink_choice.h"

#include "attributed_lines.h"
#include "json_lines.h"
#include "plain_lines.h"
#include "saved_list.h"
#include "unique_values.h"
#include "value_counts.h"

namespace tessaly::cli {

namespace {

std::unique_ptr<NumberSink> MakeWriter(const ExtractArguments& a, OutputFile& out) {
    if (a.count) return std::make_unique<ValueCounts>(out, a.mask);
    switch (a.format) {
        case OutputFormat::kTable:
            return std::make_unique<SavedList>(out, SavedList::Layout::kTable);
        case OutputFormat::kCsv:
            return std::make_unique<SavedList>(out, SavedList::Layout::kCommaDelimited);
        case OutputFormat::kJsonl:
            return std::make_unique<JsonLines>(out, a.mask);
        case OutputFormat::kLines:
            break;
    }
    if (a.withFilename || a.rules.lineNumbers || a.mask) {
        return std::make_unique<AttributedLines>(out, a.withFilename, a.rules.lineNumbers, a.mask);
    }
    return std::make_unique<PlainLines>(out);
}

}  // namespace

std::unique_ptr<NumberSink> MakeSink(const ExtractArguments& arguments, OutputFile& out) {
    std::unique_ptr<NumberSink> writer = MakeWriter(arguments, out);
    if (!arguments.unique) return writer;
    return std::make_unique<UniqueValues>(std::move(writer), arguments.mask);
}

}  // namespace tessaly::cli
