#include "saved_list.h"

#include "byte_sink.h"
#include "comma_delimited_format.h"
#include "result_list_table.h"
#include "row_walk.h"
#include "text_table_format.h"

namespace tessaly::cli {

namespace {

// Hands a format's bytes to the output, which keeps a failure for its commit().
class OutputFileSink : public ByteSink {
  public:
    explicit OutputFileSink(OutputFile& out) : out_(out) {}
    void write(std::string_view bytes) override { out_.write(bytes); }

  private:
    OutputFile& out_;
};

}  // namespace

SavedList::SavedList(OutputFile& out, Layout layout)
    : EachNumber(false, false), out_(out), layout_(layout) {}

bool SavedList::fileFailed() {
    numbers_.removeLast(fileNumbers_);
    fileNumbers_ = 0;
    return false;
}

void SavedList::finish() {
    if (out_.readerGone()) return;
    const ResultListTable table(numbers_);
    RowWalk walk(table, WalkYield{});
    OutputFileSink sink(out_);
    if (layout_ == Layout::kTable) {
        FormatListAsText(table, sink, walk);
    } else {
        FormatListCommaDelimited(table, sink, walk);
    }
}

}  // namespace tessaly::cli
