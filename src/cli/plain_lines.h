#pragma once
// PlainLines: each number's value alone on a line, written as it is found: bare digits, or a
// kept "+" and digits. The output a script reads most, so it goes straight into the output's
// buffer: the byte scanner's digit lines a batch at a time.

#include "number_sink.h"
#include "output_file.h"

namespace tessaly::cli {

class PlainLines : public NumberSink {
  public:
    explicit PlainLines(OutputFile& out) : out_(out) {}

    void enterFile(const std::string&) override { fileLines_ = 0; }
    void take(const ScanBatch& batch) override;
    void take(const std::vector<WrittenNumber>& numbers) override;
    bool fileFailed() override { return fileLines_ > 0; }
    bool wroteNumber() const override { return wrote_; }
    bool takesDigitLines() const override { return true; }

  private:
    OutputFile& out_;
    std::size_t fileLines_ = 0;  // lines written for the file being read
    bool wrote_ = false;
};

}  // namespace tessaly::cli
