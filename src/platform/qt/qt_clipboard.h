#pragma once
// QtClipboard: the system clipboard, plain text. Each call makes one attempt and says whether
// the clipboard afterwards holds what was asked for.

#include "platform/clipboard.h"

namespace tessaly {

class QtClipboard : public Clipboard {
  public:
    bool clear() override;
    bool setText(const std::string& text) override;
};

}  // namespace tessaly
