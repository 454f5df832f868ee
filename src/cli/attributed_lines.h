#pragma once
// AttributedLines: a line per number, written as it is found, with where it was found in front
// when asked (-H the path, -n the line) and its digits in --mask.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
    // The byte scanner's digit lines, with each one's line when lines are written: each
    // number's digits and line feed are copied as they stand, behind the same prefix as the
    // number before it unless its line differs.
    void putDigitLines(std::string_view lines, std::span<const std::size_t> lineNumbers);

  private:
    // A line number and ":" as written, in three words: numbers mostly come several to a line,
    // and the field is made anew only when the line changes. Its digits are worked out in a
    // word and kept in registers, so copying it out never waits for stores of single bytes.
    struct LineField {
        std::uint64_t low = 0, middle = 0, high = 0;
        std::size_t size = 0;
        static LineField Of(std::size_t line);
    };
    // Room for a line written in words: the path field, the line field and a digit line (or a
    // value and its line feed), each rounded up to a whole word.
    std::size_t lineRoom(std::size_t value) const { return path_.size() + 24 + value + 32; }
    // Writes the path and line fields at p and returns where the value goes.
    char* putPrefix(char* p, const LineField& field) const;
    void write(std::size_t line, std::string_view value);

    OutputFile& out_;
    bool withPath_;
    bool withLine_;
    std::optional<std::string> mask_;
    std::string masked_;
    // The file's path and ":" (with -H), followed by room to be copied in whole words.
    std::vector<char> path_;
    std::size_t pathSize_ = 0;
    // The line field of the last number written one at a time, and its line (0: none yet).
    LineField lineField_;
    std::size_t fieldLine_ = 0;
    std::size_t fileLines_ = 0;
    bool wrote_ = false;
};

}  // namespace tessaly::cli
