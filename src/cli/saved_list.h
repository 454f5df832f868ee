#pragma once
// SavedList (--format table, csv): the numbers kept as the window keeps its results and written
// at the end in the very bytes its save commands write: the table's widths and the comma rule
// need every number before the first line. A file that failed part-way is taken back whole.

#include "number_sink.h"
#include "output_file.h"
#include "result_list.h"

namespace tessaly::cli {

class SavedList : public EachNumber<SavedList> {
  public:
    enum class Layout { kTable, kCommaDelimited };
    SavedList(OutputFile& out, Layout layout);

    void enterFile(const std::string&) override { fileNumbers_ = 0; }
    bool fileFailed() override;
    void finish() override;
    bool wroteNumber() const override { return !numbers_.empty(); }

    // Bare digits: these layouts never keep a "+".
    void put(std::size_t, std::string_view value, auto /*text: not written*/) {
        numbers_.append(PhoneNumber(value));
        ++fileNumbers_;
    }

  private:
    OutputFile& out_;
    Layout layout_;
    ResultList numbers_;
    std::size_t fileNumbers_ = 0;  // kept from the file being read
};

}  // namespace tessaly::cli
