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

    void enterFile(const std::string&) override { fileWritten_ = false; }
    void take(const ScanBatch& batch) override;
    void take(const std::vector<WrittenNumber>& numbers) override;
    bool fileFailed() override { return fileWritten_; }
    bool wroteNumber() const override { return wrote_; }
    bool takesDigitLines() const override { return true; }

  private:
    OutputFile& out_;
    bool fileWritten_ = false;  // a line of the file being read was written
    bool wrote_ = false;
};

}  // namespace tessaly::cli
