#pragma once
// AttributedLines: a line per number, written as it is found, with where it was found in front
// when asked (-H the path, -n the line) and its digits in --mask.

#include <optional>
#include <string>

#include "number_sink.h"
#include "output_file.h"

namespace tessaly::cli {

class AttributedLines : public EachNumber<AttributedLines> {
  public:
    AttributedLines(OutputFile& out, bool withPath, bool withLine, std::optional<std::string> mask);

    void enterFile(const std::string& path) override;
    bool fileFailed() override { return fileLines_ > 0; }
    bool wroteNumber() const override { return wrote_; }
    bool takesDigitLines() const override { return true; }

    void put(std::size_t line, std::string_view value, auto /*text: not written*/) {
        write(line, value);
    }

  private:
    void write(std::size_t line, std::string_view value);

    OutputFile& out_;
    bool withPath_;
    bool withLine_;
    std::optional<std::string> mask_;
    std::string masked_;
    std::string pathField_;  // the file's path and ":" as they stand in front of a line
    std::size_t fileLines_ = 0;
    bool wrote_ = false;
};

}  // namespace tessaly::cli
