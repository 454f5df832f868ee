#pragma once
// QtEventLoop: one pass of Qt's event loop for a long command. Once the window is closing every
// pass answers false, so whatever command is still yielding stops where it stands.

#include "platform/event_loop.h"

namespace tessaly {

class QtEventLoop : public EventLoop {
  public:
    bool yield() override;
    void setClosing() { closing_ = true; }
    bool closing() const { return closing_; }

  private:
    bool closing_ = false;
};

}  // namespace tessaly
