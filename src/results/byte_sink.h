#pragma once
// ByteSink: where the text table and the comma-delimited format put their bytes, a piece at a
// time, so that one format serves the window's saved files and the extractor's "table" and
// "csv" output alike. (The clipboard text and the extractor's "lines" output are built
// directly.)

#include <string>
#include <string_view>

namespace tessaly {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Throws when the bytes cannot be taken.
    virtual void write(std::string_view bytes) = 0;
};

// Collects the bytes in a string.
class StringSink : public ByteSink {
  public:
    explicit StringSink(std::string& out) : out_(out) {}
    void write(std::string_view bytes) override { out_.append(bytes); }

  private:
    std::string& out_;
};

}  // namespace tessaly
