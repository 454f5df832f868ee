#pragma once
// Clipboard: the system clipboard, plain text only. Each call is one attempt.

#include <string>

namespace tessaly {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual bool clear() = 0;
    virtual bool setText(const std::string& text) = 0;
};

}  // namespace tessaly
