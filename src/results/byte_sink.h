#pragma once
// ByteSink: where a format puts its bytes, a piece at a time, so that one format serves a file,
// the clipboard text and standard output alike.

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
