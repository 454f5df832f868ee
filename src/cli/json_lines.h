#pragma once
// JsonLines (--format jsonl): one JSON object a line per number, written as it is found: the
// path, the line, the value (in --mask when given), the number's text as written and, for a
// number found in a document, where in it ("page 3", "sheet Sales, cell B7", ...).

#include <optional>
#include <string>

#include "number_sink.h"
#include "output_file.h"

namespace tessaly::cli {

class JsonLines : public EachNumber<JsonLines> {
  public:
    JsonLines(OutputFile& out, std::optional<std::string> mask);

    void enterFile(const std::string& path) override;
    // The numbers that follow stand at `where` in the file's document (empty: nowhere named).
    void enterPlace(std::string_view where);
    bool fileFailed() override { return fileLines_ > 0; }
    bool wroteNumber() const override { return wrote_; }

    // `text` is ASCII as the byte scanner keeps it, or decoded.
    void put(std::size_t line, std::string_view value, std::string_view text);
    // `members`: more of the object, `,"key":value` each (the number options' description).
    void put(std::size_t line, std::string_view value, std::u16string_view text,
             std::string_view members = {});

  private:
    template <class Text>
    void compose(std::size_t line, std::string_view value, const Text& text,
                 std::string_view members = {});

    OutputFile& out_;
    std::optional<std::string> mask_;
    std::string masked_;
    std::string pathField_;  // the file's path as a JSON string
    std::string where_;
    std::string whereMember_;  // `,"where":"..."`, or empty
    std::string line_;
    std::size_t fileLines_ = 0;
    bool wrote_ = false;
};

}  // namespace tessaly::cli
