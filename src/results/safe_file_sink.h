#pragma once
// SafeFileSink: gathers a format's small pieces into large writes to a SafeFile, so a file of
// millions of lines costs a few hundred writes, each of them checked.

#include <string>

#include "byte_sink.h"
#include "platform/file_writer.h"

namespace tessaly {

class SafeFileSink : public ByteSink {
  public:
    explicit SafeFileSink(SafeFile& file);
    void write(std::string_view bytes) override;
    // Writes what is still gathered and puts the file in its target's place.
    void commit();

  private:
    SafeFile& file_;
    std::string buffer_;
};

}  // namespace tessaly
