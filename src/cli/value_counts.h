#pragma once
// ValueCounts (--count): each distinct value once, in the order it was first found, with how
// often it was found, written at the end as "value<TAB>count" lines. The values are counted on
// a thread of their own (CountingThread); a file that failed part-way is taken back whole.

#include <optional>
#include <string>

#include "counting_thread.h"
#include "number_sink.h"
#include "output_file.h"

namespace tessaly::cli {

class ValueCounts : public EachNumber<ValueCounts> {
  public:
    ValueCounts(OutputFile& out, std::optional<std::string> mask);

    void enterFile(const std::string&) override { counted_.beginFile(); }
    // Without a mask the values are the scan's digit lines, handed to the counting thread a
    // batch at a time.
    void putDigitLines(std::string_view lines) { counted_.countLines(lines); }
    bool takesDigitLines() const override { return !mask_; }
    bool fileFailed() override;
    void finish() override;
    bool wroteNumber() const override { return wrote_; }

    void put(std::size_t, std::string_view value, auto /*text: not written*/) { count(value); }

  private:
    void count(std::string_view value);

    OutputFile& out_;
    std::optional<std::string> mask_;
    std::string masked_;
    CountingThread counted_;
    bool wrote_ = false;
};

}  // namespace tessaly::cli
