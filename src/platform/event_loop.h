#pragma once
// EventLoop: one pass of the window's event loop, so a long command lets the window repaint and
// the user go on working.

namespace tessaly {

class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Handles pending input and repaints, then returns. False once the window is closing: the
    // command then stops where it stands, without a further message.
    virtual bool yield() = 0;
};

}  // namespace tessaly
